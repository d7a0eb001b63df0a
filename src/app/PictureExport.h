#pragma once
// "Save As GIF" and "Save As PNG": the view as shown, composed into one picture, saved where
// the user chooses; each remembers its last name.

#include <QObject>
#include <QString>
#include <functional>

class QImage;
class QWidget;

namespace grafolux {

class ActionRegistry;
class Dialogs;
class LogDocument;
struct DrawingArea;

class PictureExport : public QObject {
public:
    PictureExport(const LogDocument& document, const DrawingArea& area, ActionRegistry& actions,
                  Dialogs& dialogs, QWidget& window);

private:
    void mGifSave_Click();
    void mPngSave_Click();
    // Asks where to save the composed view as a `suffix` file ("gif"), offering and remembering
    // `lastName`, and says why when `save` fails.
    void SaveViewAs(const QString& title, const QString& suffix, QString& lastName,
                    const std::function<bool(const QImage&, const QString&, QString*)>& save);

    const LogDocument& document_;
    const DrawingArea& area_;
    Dialogs& dialogs_;
    QWidget& window_;
    QString strGifFileName;
    QString strPngFileName;
};

}  // namespace grafolux
