#pragma once
// "Save As GIF" and "Save As PNG": the view as shown, composed into one picture, saved where
// the user chooses; each remembers its last name.

#include <QObject>
#include <QString>
#include <functional>

class QImage;
class QWidget;

namespace grafolux {

class Dialogs;
struct DisplayState;

class PictureExport : public QObject {
public:
    PictureExport(const DisplayState& shown, Dialogs& dialogs, QWidget& window);

    void mGifSave_Click();
    void mPngSave_Click();

private:
    // Asks where to save the composed view as a `suffix` file ("gif"), offering and remembering
    // `lastName`, and says why when `save` fails.
    void SaveViewAs(const QString& title, const QString& suffix, QString& lastName,
                    const std::function<bool(const QImage&, const QString&, QString*)>& save);

    const DisplayState& shown_;
    Dialogs& dialogs_;
    QWidget& window_;
    QString strGifFileName;
    QString strPngFileName;
};

}  // namespace grafolux
