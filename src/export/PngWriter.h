#pragma once
// A picture saved as PNG, in full colour.

#include <QImage>
#include <QString>

namespace grafolux {

// Writes `picture` to `path` as a PNG of its own colours, atomically: the old file is replaced
// only when the new one is complete, and stays as it was on any failure. False when the picture
// is empty or the file cannot be written; then `error` says why.
bool SavePng(const QImage& picture, const QString& path, QString* error = nullptr);

}  // namespace grafolux
