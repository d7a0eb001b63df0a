#pragma once
// The controls of the window's client area, made once by the form and handed to the
// controllers that wire them; where each one goes comes from the form layout.

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QToolButton;
class QWidget;

namespace grafolux {

struct DrawingArea;
struct FormLayout;
class PictureBox;

struct FormControls {
    QToolButton *bZoomIn, *bZoomOut, *bData, *bBLM, *bINT, *bSaveGif;
    PictureBox *pbGraph, *pbGraphContainer, *pbGraphContents, *pbLegend;
    QScrollBar* hsbGraph;
    QLabel *lblItem, *lblMinV, *lblMin, *lblMaxV, *lblMax, *lblColor1, *lblColor2, *lblFirst,
        *lblLast;
    QComboBox* cbLabels;
    QCheckBox *chkDisplay, *chkFilled;
    QPushButton *bColor, *bPrev, *bNext;
    QLineEdit *tbFirst, *tbLast;
    QProgressBar* loadProgress;
    QWidget *Line1, *Line2, *Line3, *Line4;
};

// The controls on `form`, named as the tests find them, with their texts, tooltips, pictures
// and shortcuts; the picture boxes show `area`'s surfaces.
FormControls CreateFormControls(QWidget& form, const DrawingArea& area);

// The controls that work whenever a log is shown, enabled when `loaded`; without a log, also those
// that follow the current item's lock, the zoom, the scroll and a load.
void EnableLogControls(const FormControls& controls, bool loaded);

// Every control at its place in the layout.
void PlaceControls(const FormControls& controls, const FormLayout& layout);

}  // namespace grafolux
