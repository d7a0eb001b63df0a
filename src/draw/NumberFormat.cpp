#include "draw/NumberFormat.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "draw/Surface.h"

namespace grafolux {

namespace {

// The digits of a general form's mantissa between its first and last that are not 0: 1 for
// "3000", 3 for "0.0125" and "1.25E-07".
int SignificantDigits(std::string_view text) {
    std::string digits;
    for (const char c : text.substr(0, text.find('E')))
        if (c >= '0' && c <= '9') digits += c;
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0
                                      : static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

}  // namespace

QString FormatGrouped(double value, int decimals) {
    // to_chars rounds the exact binary value, ties to even.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string digits(buffer, result.ptr);
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (digits.find_first_not_of("0.") == std::string::npos) negative = false;  // no "-0"

    const size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    const QLocale locale = QLocale::system();
    QString text;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) text += locale.groupSeparator();
        text += QChar(whole[i]);
    }
    if (point != std::string::npos)
        text += locale.decimalPoint() + QString::fromLatin1(digits.substr(point + 1));
    return negative ? locale.negativeSign() + text : text;
}

QString FittedNumber(const Surface& surface, double value, int decimals, double room) {
    const QString grouped = FormatGrouped(value, decimals);
    if (surface.TextWidth(grouped) <= room) return grouped;
    QString compact;
    for (int digits = 2; digits >= 0; --digits) {
        compact = QLocale::system().toString(value, 'E', digits);
        if (surface.TextWidth(compact) <= room) break;
    }
    return compact;
}

QString FormatGeneral(double value, int digits) {
    if (value != value) return QString(QChar(0x2014));  // missing
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    // "%.10G" alone would write 1E+12 where the 15-digit form writes 1000000000000.
    if (SignificantDigits(buffer) > digits)
        std::snprintf(buffer, sizeof buffer, "%.*G", std::clamp(digits, 1, 15), value);
    return QString::fromLatin1(buffer);
}

}  // namespace grafolux
