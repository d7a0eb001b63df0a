#include "app/PictureExport.h"

#include <QWidget>

#include "app/Dialogs.h"
#include "app/DisplayState.h"
#include "app/EventPump.h"
#include "export/GifEncoder.h"
#include "export/PngWriter.h"
#include "views/ViewExport.h"

namespace grafolux {

PictureExport::PictureExport(const DisplayState& shown, Dialogs& dialogs, QWidget& window)
    : QObject(&window), shown_(shown), dialogs_(dialogs), window_(window) {}

void PictureExport::SaveViewAs(
    const QString& title, const QString& suffix, QString& lastName,
    const std::function<bool(const QImage&, const QString&, QString*)>& save) {
    const QString filter = QString("%1 Files (*.%2)").arg(suffix.toUpper(), suffix);
    const QString name = dialogs_.GetSaveFileName(&window_, lastName, {filter}, suffix);
    if (name.isEmpty()) return;
    lastName = name;
    QString error;
    if (!save(ComposeView(shown_.area, shown_.lngViewMode), name, &error))
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
