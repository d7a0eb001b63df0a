#pragma once
// The window's pictures, drawn by us: view buttons (on, off, disabled), tool buttons, the mark
// of a locked item in the item list, and the application icon. Each icon carries pictures
// drawn for 1x and 2x screens (and the screen's own scale), so none is magnified.

#include <QIcon>
#include <QList>
#include <QString>

namespace grafolux {

// A view button's icon: `key` ("GRAPH_ON", "BLM_OFF", …) normally, `disabledKey` ("INT_DIS", …)
// when disabled.
QIcon ViewButtonIcon(const QString& key, const QString& disabledKey);

QIcon ZoomInIcon();
QIcon ZoomOutIcon();
QIcon SaveGifIcon();
// The 16 x 16 small graph with a red line that marks a locked item.
QIcon LockedItemIcon();

// The pixel sizes the application icon is drawn at, for the window and for desktop themes.
const QList<int>& ApplicationIconSizes();
// packaging/grafolux.svg drawn at each of those sizes.
QIcon ApplicationIcon();

}  // namespace grafolux
