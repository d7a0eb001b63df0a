#include "export/PpmReader.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace grafolux {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The header: "P6", width, height, maxval, separated by whitespace and # comments,
// and one whitespace byte before the pixels.
class HeaderReader {
public:
    explicit HeaderReader(const QByteArray& bytes) : bytes_(bytes) {}

    std::optional<int> Number() {
        SkipSpaceAndComments();
        int value = 0, digits = 0;
        while (pos_ < bytes_.size() && std::isdigit(static_cast<unsigned char>(bytes_[pos_]))) {
            if (value > 100'000'000) return std::nullopt;  // far beyond any picture
            value = value * 10 + (bytes_[pos_++] - '0');
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        return value;
    }
    // The single whitespace byte that ends the header.
    bool EndOfHeader() {
        if (pos_ >= bytes_.size() || !IsSpace(bytes_[pos_])) return false;
        ++pos_;
        return true;
    }
    qsizetype pos() const { return pos_; }

private:
    void SkipSpaceAndComments() {
        while (pos_ < bytes_.size()) {
            if (IsSpace(bytes_[pos_]))
                ++pos_;
            else if (bytes_[pos_] == '#')
                while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r') ++pos_;
            else
                break;
        }
    }

    const QByteArray& bytes_;
    qsizetype pos_ = 2;  // after the magic
};

}  // namespace

std::variant<QImage, std::string> ParsePpm(const QByteArray& bytes) {
    // "P61 1 255" would otherwise read as a picture one pixel wide.
    const bool separated = bytes.size() > 2 && (IsSpace(bytes[2]) || bytes[2] == '#');
    if (!bytes.startsWith("P6") || !separated) return "not a binary PPM (P6) picture";
    HeaderReader header(bytes);
    const auto width = header.Number(), height = header.Number(), maxval = header.Number();
    if (!width || !height || !maxval || !header.EndOfHeader()) return "damaged PPM header";
    if (*maxval != 255)
        return "PPM maxval " + std::to_string(*maxval) + " is not supported (only 255)";
    // Also spares a row loop over a height of a billion rows of nothing.
    if (*width == 0 || *height == 0) return "PPM picture is empty";
    const qsizetype rowBytes = qsizetype{3} * *width;
    if (bytes.size() - header.pos() < rowBytes * *height) return "PPM pixel data is truncated";

    QImage image(*width, *height, QImage::Format_RGB888);
    if (image.isNull() && *width > 0 && *height > 0) return "PPM picture is too large";
    const char* pixels = bytes.constData() + header.pos();
    for (int y = 0; y < *height; ++y)
        std::copy_n(pixels + y * rowBytes, rowBytes, reinterpret_cast<char*>(image.scanLine(y)));
    return image;
}

}  // namespace grafolux
