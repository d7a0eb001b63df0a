#include "app/Icons.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QPainter>
#include <functional>

namespace grafolux {

namespace {

constexpr int kButtonPicture = 21;

using Drawing = std::function<void(QPainter&)>;

// Every picture is drawn once per screen scale, so that a 2x screen gets a picture drawn with
// twice the pixels instead of a magnified, blurred 1x one.
QList<qreal> Scales() {
    QList<qreal> scales = {1, 2};
    const qreal screen = qGuiApp ? qGuiApp->devicePixelRatio() : 1;
    if (!scales.contains(screen)) scales.append(screen);
    return scales;
}

QPixmap Drawn(int size, qreal scale, const Drawing& draw) {
    QPixmap pixmap(QSize(size, size) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    return pixmap;
}

void AddDrawn(QIcon& icon, int size, const Drawing& draw, QIcon::Mode mode = QIcon::Normal) {
    for (qreal scale : Scales()) icon.addPixmap(Drawn(size, scale, draw), mode);
}

QIcon DrawnIcon(int size, const Drawing& draw) {
    QIcon icon;
    AddDrawn(icon, size, draw);
    return icon;
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

// "GRAPH_ON", "GRAPH_OFF", "GRAPH_DIS", "BLM_…", "INT_…".
Drawing ViewPicture(const QString& key) {
    return [key](QPainter& p) {
        const QString kind = key.section('_', 0, 0);
        const QString state = key.section('_', 1, 1);
        const QColor back = state == "ON" ? QColor(0, 128, 0) : QColor(0, 0, 0);
        const QColor line = state == "DIS"  ? QColor(128, 128, 128)
                            : state == "ON" ? QColor(255, 255, 0)
                                            : QColor(0, 255, 255);
        p.fillRect(0, 0, kButtonPicture, kButtonPicture,
                   state == "DIS" ? QColor(64, 64, 64) : back);
        if (kind == "GRAPH")
            DrawGraphGlyph(p, line);
        else
            DrawTableGlyph(p, line, kind == "BLM" ? "B" : "I");
    };
}

QIcon MagnifierIcon(bool plus) {
    return DrawnIcon(kButtonPicture, [plus](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(3, 3, 11, 11);
        p.drawLine(13, 13, 18, 18);
        p.drawLine(6, 8, 11, 8);
        if (plus) p.drawLine(8, 6, 8, 11);
    });
}

}  // namespace

const QIcon& WindowIcons::ViewButton(const QString& key, const QString& disabledKey) {
    QIcon& icon = made_[key + '|' + disabledKey];
    if (icon.isNull()) {
        AddDrawn(icon, kButtonPicture, ViewPicture(key), QIcon::Normal);
        AddDrawn(icon, kButtonPicture, ViewPicture(disabledKey), QIcon::Disabled);
    }
    return icon;
}

QIcon ZoomInIcon() { return MagnifierIcon(true); }
QIcon ZoomOutIcon() { return MagnifierIcon(false); }

QIcon SaveGifIcon() {
    return DrawnIcon(kButtonPicture, [](QPainter& p) {
        p.fillRect(3, 3, 15, 15, QColor(0, 0, 128));
        p.fillRect(6, 3, 9, 5, Qt::white);
        p.fillRect(6, 11, 9, 7, QColor(192, 192, 192));
    });
}

const QIcon& WindowIcons::LockedItem() {
    QIcon& icon = made_[QStringLiteral("LOCKED")];
    if (icon.isNull()) {
        AddDrawn(icon, 16, [](QPainter& p) {
            p.fillRect(1, 1, 14, 14, Qt::black);
            p.setPen(QColor(64, 64, 64));
            p.drawLine(1, 8, 14, 8);
            p.setPen(QPen(QColor(255, 0, 0), 1));
            p.drawPolyline(QPolygon({{2, 12}, {5, 7}, {8, 9}, {11, 4}, {14, 6}}));
        });
    }
    return icon;
}

QIcon ApplicationIcon() {
    QIcon icon;
    QDirIterator pngs(":/icon", {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (pngs.hasNext()) icon.addFile(pngs.next());
    return icon;
}

}  // namespace grafolux
