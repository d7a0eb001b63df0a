#include "app/FormControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <utility>

#include "app/Icons.h"
#include "app/PictureBox.h"
#include "app/WindowActions.h"
#include "draw/DrawingArea.h"
#include "views/FormLayout.h"

namespace grafolux {

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QWidget* EtchedLine(QWidget& parent, const char* name, const QColor& colour) {
    auto* line = Named(new QWidget(&parent), name);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

QRect PixelRect(const TwipRect& r) {
    return QRect(TwipsToPixels(r.Left), TwipsToPixels(r.Top), TwipsToPixels(r.Width),
                 TwipsToPixels(r.Height));
}

// The picture buttons of the left column.
void CreateToolButtons(QWidget& form, FormControls& c) {
    const auto toolButton = [&form](const char* name, const QString& tip, const QIcon& icon) {
        auto* button = Named(new QToolButton(&form), name);
        button->setToolTip(tip);
        button->setIconSize(QSize(21, 21));
        button->setIcon(icon);
        return button;
    };
    c.bZoomIn = toolButton("bZoomIn", "Zoom In", ZoomInIcon());
    c.bZoomOut = toolButton("bZoomOut", "Zoom Out", ZoomOutIcon());
    c.bData = toolButton("bData", "Graph", {});
    c.bBLM = toolButton("bBLM", "BLM Table", {});
    c.bINT = toolButton("bINT", "INT Table", {});
    c.bSaveGif = toolButton("bSaveGif", "Save As GIF", SaveGifIcon());
    const std::vector<QKeySequence>& zoomKeys = EntryOf(ActionId::ZoomKeys).keys;
    c.bZoomIn->setShortcut(zoomKeys.at(0));
    c.bZoomOut->setShortcut(zoomKeys.at(1));
}

// The nested picture boxes the views draw on, the legend and the scroll bar under them.
void CreateDrawingArea(QWidget& form, const DrawingArea& area, FormControls& c) {
    c.pbGraph = Named(new PictureBox(area.pbGraph, &form), "pbGraph");
    c.pbGraphContainer =
        Named(new PictureBox(area.pbGraphContainer, c.pbGraph), "pbGraphContainer");
    c.pbGraphContents =
        Named(new PictureBox(area.pbGraphContents, c.pbGraphContainer), "pbGraphContents");
    c.pbLegend = Named(new PictureBox(area.pbLegend, &form), "pbLegend");
    c.hsbGraph = Named(new QScrollBar(Qt::Horizontal, &form), "hsbGraph");
    c.hsbGraph->setRange(0, 0);  // nothing to scroll before a log is shown
}

// The current item: its choice, its value range, its lock, fill and colour.
void CreateItemPanel(QWidget& form, FormControls& c) {
    c.lblItem = Named(new QLabel("Item:", &form), "lblItem");
    c.cbLabels = Named(new QComboBox(&form), "cbLabels");
    c.lblMinV = Named(new QLabel("Low Value:", &form), "lblMinV");
    c.lblMin = Named(new QLabel(&form), "lblMin");
    c.lblMaxV = Named(new QLabel("High Value:", &form), "lblMaxV");
    c.lblMax = Named(new QLabel(&form), "lblMax");
    c.chkDisplay = Named(new QCheckBox("Lock to graph", &form), "chkDisplay");
    c.chkFilled = Named(new QCheckBox("Filled", &form), "chkFilled");
    c.lblColor1 = Named(new QLabel("Color:", &form), "lblColor1");
    c.bColor = Named(new QPushButton(&form), "bColor");
    c.lblColor2 = Named(new QLabel("(Click to Change)", &form), "lblColor2");
    c.bPrev = Named(new QPushButton("Previous", &form), "bPrev");
    c.bNext = Named(new QPushButton("Next", &form), "bNext");

    QFont bold = c.lblMin->font();
    bold.setBold(true);
    c.lblMin->setFont(bold);
    c.lblMax->setFont(bold);
    c.lblMin->setToolTip("Lowest Value");
    c.lblMax->setToolTip("Highest Value");
    c.chkDisplay->setToolTip("Lock this item in the Graph");
    c.chkFilled->setToolTip("Fill this item");
    c.lblColor2->setToolTip("Change color for this item");
    c.bPrev->setToolTip("Previous data item");
    c.bNext->setToolTip("Next data item");
    c.bColor->setAutoFillBackground(true);
    c.bColor->setFlat(true);
}

// The sample range boxes and the load's progress bar.
void CreateRangeAndProgress(QWidget& form, FormControls& c) {
    c.lblFirst = Named(new QLabel("First Item:", &form), "lblFirst");
    c.tbFirst = Named(new QLineEdit(&form), "tbFirst");
    c.lblLast = Named(new QLabel("Last Item:", &form), "lblLast");
    c.tbLast = Named(new QLineEdit(&form), "tbLast");
    c.loadProgress = Named(new QProgressBar(&form), "loadProgress");
    c.loadProgress->setTextVisible(false);
}

}  // namespace

FormControls CreateFormControls(QWidget& form, const DrawingArea& area) {
    FormControls c;
    CreateToolButtons(form, c);
    CreateDrawingArea(form, area, c);
    CreateItemPanel(form, c);
    CreateRangeAndProgress(form, c);
    c.Line1 = EtchedLine(form, "Line1", QColor(128, 128, 128));
    c.Line2 = EtchedLine(form, "Line2", Qt::white);
    c.Line3 = EtchedLine(form, "Line3", QColor(128, 128, 128));
    c.Line4 = EtchedLine(form, "Line4", Qt::white);
    return c;
}

void PlaceControls(const FormControls& c, const FormLayout& f) {
    const std::pair<QWidget*, const TwipRect*> placed[] = {{c.bZoomIn, &f.bZoomIn},
                                                           {c.bZoomOut, &f.bZoomOut},
                                                           {c.bData, &f.bData},
                                                           {c.bBLM, &f.bBLM},
                                                           {c.bINT, &f.bINT},
                                                           {c.bSaveGif, &f.bSaveGif},
                                                           {c.hsbGraph, &f.hsbGraph},
                                                           {c.lblItem, &f.lblItem},
                                                           {c.cbLabels, &f.cbLabels},
                                                           {c.lblMinV, &f.lblMinV},
                                                           {c.lblMin, &f.lblMin},
                                                           {c.lblMaxV, &f.lblMaxV},
                                                           {c.lblMax, &f.lblMax},
                                                           {c.chkDisplay, &f.chkDisplay},
                                                           {c.chkFilled, &f.chkFilled},
                                                           {c.lblColor1, &f.lblColor1},
                                                           {c.bColor, &f.bColor},
                                                           {c.lblColor2, &f.lblColor2},
                                                           {c.lblFirst, &f.lblFirst},
                                                           {c.tbFirst, &f.tbFirst},
                                                           {c.lblLast, &f.lblLast},
                                                           {c.tbLast, &f.tbLast},
                                                           {c.bPrev, &f.bPrev},
                                                           {c.bNext, &f.bNext},
                                                           {c.loadProgress, &f.loadProgress}};
    for (const auto& [widget, rect] : placed) widget->setGeometry(PixelRect(*rect));
    const std::pair<QWidget*, const TwipLine*> lines[] = {
        {c.Line1, &f.Line1}, {c.Line2, &f.Line2}, {c.Line3, &f.Line3}, {c.Line4, &f.Line4}};
    for (const auto& [widget, line] : lines)
        widget->setGeometry(0, TwipsToPixels(line->Y), TwipsToPixels(line->X2), 1);
}

void EnableLogControls(const FormControls& c, bool loaded) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{c.chkDisplay, c.cbLabels, c.bPrev, c.bNext, c.tbFirst,
                                         c.tbLast, c.bData, c.bBLM, c.bINT, c.bSaveGif})
        control->setEnabled(loaded);
    if (loaded) return;
    for (QWidget* control :
         std::initializer_list<QWidget*>{c.chkFilled, c.lblColor1, c.lblColor2, c.bColor,
                                         c.loadProgress, c.bZoomIn, c.bZoomOut, c.hsbGraph})
        control->setEnabled(false);
}

}  // namespace grafolux
