#pragma once
// Binary PPM pictures (P6, maxval 255), as the gif command reads them.

#include <QImage>
#include <QString>
#include <string>
#include <variant>

namespace grafolux {

// The picture (never empty), or what is wrong with the bytes.
std::variant<QImage, std::string> ParsePpm(const QByteArray& bytes);

}  // namespace grafolux
