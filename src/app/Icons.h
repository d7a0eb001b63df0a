#pragma once
// The window's pictures, drawn by us: view buttons (on, off, disabled), tool buttons and the
// mark of a locked item in the item list.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace grafolux {

// "GRAPH_ON", "GRAPH_OFF", "GRAPH_DIS", "BLM_…", "INT_…".
QPixmap ViewPicture(const QString& key);
// A view button's icon: `key` (an _ON or _OFF picture) normally, `disabledKey` when disabled.
QIcon ViewButtonIcon(const QString& key, const QString& disabledKey);

QIcon ZoomInIcon();
QIcon ZoomOutIcon();
QIcon SaveGifIcon();
// The 16 x 16 small graph with a red line that marks a locked item.
QIcon LockedItemIcon();

}  // namespace grafolux
