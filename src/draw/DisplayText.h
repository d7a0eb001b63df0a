#pragma once
// Item names are bytes from the log; they are shown as UTF-8 when they are valid UTF-8,
// else as Latin-1, so that every byte shows as some character.

#include <QString>
#include <string_view>

namespace grafolux {

QString DisplayText(std::string_view bytes);

}  // namespace grafolux
