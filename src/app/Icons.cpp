#include "app/Icons.h"

#include <QPainter>

namespace grafolux {

namespace {

constexpr int kButtonPicture = 21;

QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void DrawGraphGlyph(QPainter& p, const QColor& line) {
    p.setPen(QPen(line, 2));
    p.drawPolyline(QPolygon({{3, 15}, {7, 9}, {11, 12}, {15, 5}, {18, 8}}));
}

void DrawTableGlyph(QPainter& p, const QColor& line, const QString& letter) {
    p.setPen(QPen(line, 1));
    for (int i = 3; i <= 18; i += 5) {
        p.drawLine(3, i, 18, i);
        p.drawLine(i, 3, i, 18);
    }
    QFont font("Arial");
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, kButtonPicture, kButtonPicture), Qt::AlignCenter, letter);
}

QIcon MagnifierIcon(bool plus) {
    QPixmap pixmap = Blank(kButtonPicture);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(3, 3, 11, 11);
    p.drawLine(13, 13, 18, 18);
    p.drawLine(6, 8, 11, 8);
    if (plus) p.drawLine(8, 6, 8, 11);
    return QIcon(pixmap);
}

}  // namespace

QPixmap ViewPicture(const QString& key) {
    const QString kind = key.section('_', 0, 0);
    const QString state = key.section('_', 1, 1);
    QPixmap pixmap = Blank(kButtonPicture);
    QPainter p(&pixmap);
    const QColor back = state == "ON" ? QColor(0, 128, 0) : QColor(0, 0, 0);
    const QColor line = state == "DIS"  ? QColor(128, 128, 128)
                        : state == "ON" ? QColor(255, 255, 0)
                                        : QColor(0, 255, 255);
    p.fillRect(pixmap.rect(), state == "DIS" ? QColor(64, 64, 64) : back);
    if (kind == "GRAPH")
        DrawGraphGlyph(p, line);
    else
        DrawTableGlyph(p, line, kind == "BLM" ? "B" : "I");
    return pixmap;
}

const QIcon& WindowIcons::ViewButton(const QString& key, const QString& disabledKey) {
    QIcon& icon = made_[key + '|' + disabledKey];
    if (icon.isNull()) {
        icon.addPixmap(ViewPicture(key), QIcon::Normal);
        icon.addPixmap(ViewPicture(disabledKey), QIcon::Disabled);
    }
    return icon;
}

QIcon ZoomInIcon() { return MagnifierIcon(true); }
QIcon ZoomOutIcon() { return MagnifierIcon(false); }

QIcon SaveGifIcon() {
    QPixmap pixmap = Blank(kButtonPicture);
    QPainter p(&pixmap);
    p.fillRect(3, 3, 15, 15, QColor(0, 0, 128));
    p.fillRect(6, 3, 9, 5, Qt::white);
    p.fillRect(6, 11, 9, 7, QColor(192, 192, 192));
    return QIcon(pixmap);
}

const QIcon& WindowIcons::LockedItem() {
    QIcon& icon = made_[QStringLiteral("LOCKED")];
    if (icon.isNull()) {
        QPixmap pixmap = Blank(16);
        QPainter p(&pixmap);
        p.fillRect(1, 1, 14, 14, Qt::black);
        p.setPen(QColor(64, 64, 64));
        p.drawLine(1, 8, 14, 8);
        p.setPen(QPen(QColor(255, 0, 0), 1));
        p.drawPolyline(QPolygon({{2, 12}, {5, 7}, {8, 9}, {11, 4}, {14, 6}}));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace grafolux
