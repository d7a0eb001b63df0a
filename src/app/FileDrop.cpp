#include "app/FileDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/LogLoading.h"

namespace grafolux {

namespace {

// Reading a file copies it. A drag that can only move the file is refused: the dragging
// program would delete the file once the drop was taken.
Qt::DropAction ReadingAction(Qt::DropActions possible) {
    if (possible & Qt::CopyAction) return Qt::CopyAction;
    if (possible & Qt::LinkAction) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

}  // namespace

QString FileToOpen(const QMimeData& data, bool loading) {
    // A drag may name the URL list's type and carry no URL in it.
    const QList<QUrl> urls = data.urls();
    if (loading || urls.isEmpty() || !urls.front().isLocalFile()) return {};
    const QFileInfo file(urls.front().toLocalFile());
    if (!file.exists() || file.isDir()) return {};
    return file.absoluteFilePath();
}

FileDropTarget::FileDropTarget(QWidget& window, const LogLoading& loading)
    : QObject(&window), loading_(loading) {
    window.setAcceptDrops(true);
    for (QLineEdit* box : window.findChildren<QLineEdit*>()) box->setAcceptDrops(false);
    window.installEventFilter(this);
}

// A refused drag shows the no-drop cursor; a drop is decided again, as the file may have gone
// or a load begun since the drag entered.
bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const Qt::DropAction action = ReadingAction(drop->possibleActions());
    const QString path = FileToOpen(*drop->mimeData(), loading_.Busy());
    if (path.isEmpty() || action == Qt::IgnoreAction) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(action);
    drop->accept();
    if (type == QEvent::Drop) QTimer::singleShot(0, this, [this, path] { emit FileDropped(path); });
    return true;
}

}  // namespace grafolux
