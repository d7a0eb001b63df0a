#pragma once
// Binary PPM pictures (P6, maxval 255) for the gif command.

#include <QImage>
#include <QString>
#include <string>
#include <variant>

namespace grafolux::cli {

// The picture, or what is wrong with the bytes.
std::variant<QImage, std::string> ParsePpm(const QByteArray& bytes);

}  // namespace grafolux::cli
