#pragma once
// The bytes of a single-image GIF, streamed to any open device.

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "logdata/Colour.h"

namespace grafolux {

// Why a picture of this size cannot be a GIF (empty, or a side above 32767 pixels), or an
// empty text.
QString GifSizeProblem(QSize size);

// Writes the whole file to `out`; `progress` (may be empty) gets the share of rows done after
// every tenth row. False when the picture cannot be a GIF or the device refuses a write; then
// `error` says why. Nothing is written for a picture that cannot be a GIF.
bool WriteGif(const QImage& pic, QIODevice& out, bool useTrans, Colour transColor,
              const std::function<void(int)>& progress, QString* error = nullptr);

}  // namespace grafolux
