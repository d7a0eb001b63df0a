#pragma once
// What the window shows, shared by the form and its controllers: the log, the drawing area and
// its colours, the view with its current item, zoom and scroll, and the sample range as typed.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "files/FileChecks.h"
#include "logdata/LogModel.h"
#include "views/ViewMode.h"

namespace grafolux {

// Log B of a comparison, shown over the log.
struct ComparedLog {
    LogData log;
    std::string path;    // as it was chosen
    QString title;       // its name without the folder
    int32_t offset = 0;  // its sample s lies at the shown log's sample s + offset
};

struct DisplayState {
    LogData log;
    DrawingArea area;
    DisplayColors colors;
    bool blnFileLoaded = false;
    std::string strFileName;   // the log last opened, or the one to offer in the file dialogs
    std::string strShownFile;  // the log shown, as it was opened
    QString strFileTitle;      // its name without the folder
    ViewMode lngViewMode = ViewMode::None;
    int32_t lngCurItem = 1;
    double dblZoom = 1.0;
    int32_t lngScrollPos = 0;
    // The range boxes' texts as bytes, as the views read them: typed, not yet normalised.
    std::string firstText, lastText;
    std::optional<ComparedLog> versus;
};

}  // namespace grafolux
