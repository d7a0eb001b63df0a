#pragma once
// Single-image GIF writer: 256-entry palette, 9-bit LZW codes, a clear code per row.

#include <QImage>
#include <QString>
#include <functional>

#include "logdata/Colour.h"

namespace grafolux {

class GIF {
public:
    // Raised after every tenth row with the share of rows done, row × 100 / height rounded
    // to nearest (halves to even). The encoder itself never processes window events; the
    // handler may.
    std::function<void(int Percents)> Progress;

    // Writes `pic` to sFileName, atomically: the old file is replaced only when the new one is
    // complete, and stays as it was on any failure. 8-bit indexed pictures keep their palette
    // and indices; others are mapped to the 125-colour cube. With UseTrans the file is GIF89a
    // and the first palette entry of TransColor (or entry 0) is transparent. False when busy,
    // when the picture is empty or wider or higher than 32767 pixels, or when the file cannot
    // be written; then `error` says why.
    bool SaveGIF(const QImage& pic, const QString& sFileName, bool UseTrans, Colour TransColor,
                 QString* error = nullptr);

    bool blnBusy = false;
};

}  // namespace grafolux
