#pragma once
// The readout over the graph: the sample under the cursor and the drawn items' values there,
// at the markers and between them; its text for the clipboard; where its box goes.

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "draw/DisplayColors.h"
#include "graph/Markers.h"
#include "logdata/LogModel.h"

namespace grafolux {

struct ReadoutRow {
    Colour colour = 0;
    QStringList cells;
    bool text = false;  // the last cell is words, not a number: it runs on across the columns
    bool item = false;  // an item's values: its colour is shown as it is, in a swatch
    bool operator==(const ReadoutRow&) const = default;
};

struct ReadoutRequest {
    int32_t item = 1;                 // the current item
    int32_t sample = 1;               // under the cursor, within the log
    Markers markers;                  // within the log
    QString cell;                     // the cell whose samples are marked, or empty
    QString find;                     // where the cursor stands among a Find's runs, or empty
    const LogData* versus = nullptr;  // log B of a comparison
    int32_t offset = 0;               // B's sample s lies at sample s + offset
    bool exact = false;  // values in their shortest round-trip text, as for the clipboard
};

// With a marker set, a heading row ("", "Cursor", then "A", "B" and "B − A" as far as they
// are set). Then the sample row ("Sample", the cursor's sample, the markers' samples and
// their distance), the current item in the curve's red and the locked items in their own
// colours, as the legend lists them (the current item once), each with its values in general
// form of at most 10 significant digits, or `exact` ("—" where a value is missing); last the marked
// cell ("Cell", its name) and the Find's status ("Find", "run 3 of 17"). With log B, the cursor's
// columns are "Log A", "Log B" (B's sample there, the value of B's item of the same name, "—" where
// B has none) and "Log B − A", and the heading is always shown.
std::vector<ReadoutRow> ReadoutRows(const LogData& log, const ReadoutRequest& request,
                                    const DisplayColors& colors);

// The colour a row's text is drawn in on the box's `background`: the row's own where it reads
// well (a contrast of 4.5:1 or more), else black or white, whichever reads better.
Colour ReadoutTextColour(Colour colour, Colour background);

// The rows as lines of tab-separated cells.
QString ReadoutText(const std::vector<ReadoutRow>& rows);

// The box's top-left in the visible frame: near the frame's top-left corner, or another
// corner when the mouse comes near it.
QPoint ReadoutBoxPlace(QSize box, QSize frame, QPoint mouse);

}  // namespace grafolux
