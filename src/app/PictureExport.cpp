#include "app/PictureExport.h"

#include <QWidget>

#include "app/Dialogs.h"
#include "app/EventPump.h"
#include "app/LogDocument.h"
#include "app/WindowActions.h"
#include "export/GifEncoder.h"
#include "export/PngWriter.h"
#include "views/ViewExport.h"

namespace grafolux {

PictureExport::PictureExport(const LogDocument& document, const DrawingArea& area,
                             ActionRegistry& actions, Dialogs& dialogs, QWidget& window)
    : QObject(&window), document_(document), area_(area), dialogs_(dialogs), window_(window) {
    actions.Bind(ActionId::SaveGif, [this] { mGifSave_Click(); });
    actions.Bind(ActionId::SavePng, [this] { mPngSave_Click(); });
}

void PictureExport::SaveViewAs(
    const QString& title, const QString& suffix, QString& lastName,
    const std::function<bool(const QImage&, const QString&, QString*)>& save) {
    const QString filter = QString("%1 Files (*.%2)").arg(suffix.toUpper(), suffix);
    const QString name = dialogs_.GetSaveFileName(&window_, lastName, {filter}, suffix);
    if (name.isEmpty()) return;
    lastName = name;
    QString error;
    if (!save(ComposeView(area_, document_.viewMode()), name, &error))
        dialogs_.Warning(&window_, title, "The picture could not be saved:\n" + error);
}

void PictureExport::mGifSave_Click() {
    SaveViewAs("Save As GIF", "gif", strGifFileName,
               [](const QImage& view, const QString& name, QString* error) {
                   GIF cGif;
                   EventPump pump;
                   cGif.Progress = [&pump](int) {
                       if (pump.Due()) EventPump::Pump();
                   };
                   return cGif.SaveGIF(view, name, false, 0, error);
               });
}

// The same view in full colour.
void PictureExport::mPngSave_Click() { SaveViewAs("Save As PNG", "png", strPngFileName, SavePng); }

}  // namespace grafolux
