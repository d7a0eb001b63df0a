#pragma once
// Single-image GIF writer: 256-entry palette, 9-bit LZW codes, a clear code per row.

#include <QImage>
#include <QString>
#include <functional>

#include "logdata/LogModel.h"

namespace grafolux {

class GIF {
public:
    // Raised after every tenth row with the share of rows done.
    std::function<void(int Percents)> Progress;

    // Writes `pic` to sFileName, atomically: the old file is replaced only when the new one is
    // complete. 8-bit indexed pictures keep their palette and indices; others are mapped to the
    // 125-colour cube. False when busy or on failure (then `error` says why).
    bool SaveGIF(const QImage& pic, const QString& sFileName, bool UseTrans, Colour TransColor,
                 QString* error = nullptr);

    bool blnBusy = false;
};

}  // namespace grafolux
