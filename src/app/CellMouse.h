#pragma once
// The mouse over a view of cells: a tooltip for the cell under it (following the mouse from
// cell to cell once shown) and a double-click on a cell, while the view is shown.

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace grafolux {

class CellMouse : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<bool()> shown;              // the view is on the canvas
        std::function<void(QPoint, QPoint)> tip;  // at a canvas point, a screen point
        std::function<void(QPoint)> doubleClick;  // at a canvas point
    };
    CellMouse(QWidget& canvas, Handlers handlers, QObject& parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& canvas_;
    Handlers handlers_;
};

}  // namespace grafolux
