#pragma once
// The window's pictures, drawn by us: view buttons (on, off, disabled), tool buttons and the
// mark of a locked item in the item list.

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace grafolux {

// "GRAPH_ON", "GRAPH_OFF", "GRAPH_DIS", "BLM_…", "INT_…".
QPixmap ViewPicture(const QString& key);

// The icons of the view buttons and the locked-item mark, each made once: a new icon on every
// view change would leave its pictures in Qt's pixmap cache until the cache is full.
class WindowIcons {
public:
    // A view button's icon: `key` (an _ON or _OFF picture) normally, `disabledKey` when
    // disabled.
    const QIcon& ViewButton(const QString& key, const QString& disabledKey);
    // The 16 x 16 small graph with a red line that marks a locked item.
    const QIcon& LockedItem();

private:
    QHash<QString, QIcon> made_;
};

QIcon ZoomInIcon();
QIcon ZoomOutIcon();
QIcon SaveGifIcon();

}  // namespace grafolux
