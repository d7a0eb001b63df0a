#include "app/CellMouse.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>

namespace grafolux {

CellMouse::CellMouse(QWidget& canvas, Handlers handlers, QObject& parent)
    : QObject(&parent), canvas_(canvas), handlers_(std::move(handlers)) {
    canvas_.installEventFilter(this);
}

bool CellMouse::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &canvas_ || !handlers_.shown()) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            handlers_.tip(help->pos(), help->globalPos());
            return true;
        }
        case QEvent::MouseMove:
            if (QToolTip::isVisible()) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                handlers_.tip(mouse->position().toPoint(), mouse->globalPosition().toPoint());
            }
            return false;
        case QEvent::MouseButtonDblClick:
            handlers_.doubleClick(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace grafolux
