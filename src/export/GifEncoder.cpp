#include "export/GifEncoder.h"

#include "export/GifWriter.h"
#include "files/AtomicFile.h"

namespace grafolux {

namespace {

bool Fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

// Clears the busy flag on every way out, so a failed save does not block the next one.
struct BusyScope {
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    bool& busy_;
};

}  // namespace

bool GIF::SaveGIF(const QImage& pic, const QString& sFileName, bool UseTrans, Colour TransColor,
                  QString* error) {
    if (blnBusy) return Fail(error, QStringLiteral("the encoder is busy with another picture"));
    const BusyScope busy(blnBusy);
    if (const QString problem = GifSizeProblem(pic.size()); !problem.isEmpty())
        return Fail(error, problem);

    // Written beside the target and renamed over it only when complete. The handler gets a
    // copy, so it may replace Progress while it runs.
    const auto progress = Progress;
    AtomicFile file(sFileName);
    QString why;
    if (file.open() && WriteGif(pic, file, UseTrans, TransColor, progress, &why) && file.commit())
        return true;
    return Fail(error, QStringLiteral("cannot write %1: %2")
                           .arg(sFileName, why.isEmpty() ? file.errorString() : why));
}

}  // namespace grafolux
