#include "export/PngWriter.h"

#include <QBuffer>
#include <QImageWriter>
#include <string_view>

#include "files/AtomicFile.h"

namespace grafolux {

bool SavePng(const QImage& picture, const QString& path, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (picture.isNull()) return fail(QStringLiteral("the picture is empty"));
    // Encoded in memory first, so that a failure to write says the system's reason, not the
    // encoder's.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter encoder(&buffer, "png");
    if (!encoder.write(picture))
        return fail(QStringLiteral("cannot encode %1: %2").arg(path, encoder.errorString()));
    AtomicFile file(path);
    if (file.open() && file.write(std::string_view(png.constData(), png.size())) && file.commit())
        return true;
    return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

}  // namespace grafolux
