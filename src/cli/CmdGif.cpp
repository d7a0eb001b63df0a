#include <QFile>
#include <string>

#include "cli/CliArgs.h"
#include "export/GifEncoder.h"
#include "export/PpmReader.h"

namespace grafolux::cli {

namespace {

// RRGGBB as the window stores colours: red + 256 × green + 65536 × blue.
Colour ParseColour(const std::string& text) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw UsageError("--transparent needs a colour RRGGBB in hex, not " + text);
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QString PathOf(const std::string& argument) { return QFile::decodeName(argument.c_str()); }

}  // namespace

void RunGif(const CliArgs& args, const Print&) {
    args.expectPositional(2);
    const auto transparent = args.option("--transparent");
    const Colour transColor = transparent ? ParseColour(*transparent) : 0;

    const std::string& input = args.positional()[0];
    QFile file(PathOf(input));
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError("cannot read " + input + ": " + file.errorString().toStdString());
    const auto picture = ParsePpm(file.readAll());
    if (const auto* why = std::get_if<std::string>(&picture))
        throw RuntimeError(input + ": " + *why);

    GIF encoder;
    QString error;
    if (!encoder.SaveGIF(std::get<QImage>(picture), PathOf(args.positional()[1]),
                         transparent.has_value(), transColor, &error))
        throw RuntimeError(error.toStdString());
}

}  // namespace grafolux::cli
