#pragma once
// Opening a log by dropping it on the window. What a drag carries decides alone whether it is
// taken; FileDropTarget gives that decision to a window's drag and drop events.

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

namespace grafolux {

class LogLoading;

// The file a drag offers to open: the first of its URLs, when that is a local file that exists
// and is not a folder. Empty when the drag is to be refused: no URL, a first URL that is not a
// local file, a folder, a file that is gone, or `loading` (a load is under way).
QString FileToOpen(const QMimeData& data, bool loading);

class FileDropTarget : public QObject {
    Q_OBJECT
public:
    // Lets files be dropped anywhere on `window`, its text boxes included (they would take the
    // file's URL as text), except while `loading` runs a load.
    FileDropTarget(QWidget& window, const LogLoading& loading);

signals:
    // The path of a dropped file, once the drop is over, so that the dragging program is not
    // kept waiting.
    void FileDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const LogLoading& loading_;
};

}  // namespace grafolux
