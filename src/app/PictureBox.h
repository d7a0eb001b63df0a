#pragma once
// A widget that shows a Surface's image: the window side of a picture box. Its geometry is
// the surface's, set by Sync().

#include <QWidget>

#include "draw/Surface.h"

namespace grafolux {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const Surface& surface, QWidget* parent);
    // Takes the surface's position and size, and repaints.
    void Sync();

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void MouseUp(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { emit MouseDown(event); }
    void mouseMoveEvent(QMouseEvent* event) override { emit MouseMove(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { emit MouseUp(event); }

private:
    const Surface& surface_;
};

}  // namespace grafolux
