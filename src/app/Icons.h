#pragma once
// The window's pictures, drawn by us: view buttons (on, off, disabled), tool buttons, the mark
// of a locked item in the item list, and the application icon. Each icon carries pictures
// drawn for 1x and 2x screens (and the screen's own scale), so none is magnified.

#include <QHash>
#include <QIcon>
#include <QString>

namespace grafolux {

// The icons of the view buttons and the locked-item mark, each made once: a new icon on every
// view change would leave its pictures in Qt's pixmap cache until the cache is full.
class WindowIcons {
public:
    // A view button's icon: `key` ("GRAPH_ON", "BLM_OFF", …) normally, `disabledKey`
    // ("INT_DIS", …) when disabled.
    const QIcon& ViewButton(const QString& key, const QString& disabledKey);
    // The 16 x 16 small graph with a red line that marks a locked item.
    const QIcon& LockedItem();

private:
    QHash<QString, QIcon> made_;
};

QIcon ZoomInIcon();
QIcon ZoomOutIcon();
QIcon SaveGifIcon();

// The application icon with every picture drawn from packaging/grafolux.svg at build time
// (16 to 256 pixels), so that each screen scale finds one of its own.
QIcon ApplicationIcon();

}  // namespace grafolux
