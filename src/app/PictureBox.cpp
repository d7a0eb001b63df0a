#include "app/PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

namespace grafolux {

PictureBox::PictureBox(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Sync() {
    setGeometry(surface_.leftPx(), surface_.topPx(), surface_.image().width(),
                surface_.image().height());
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(surface_.BackColor()));
    painter.drawImage(event->rect().topLeft(), surface_.image(), event->rect());
}

}  // namespace grafolux
