#include "tables/CellTableText.h"

#include <charconv>

namespace grafolux {

std::string CellTableText(const CellTable& table) {
    std::string out = "RPM";
    for (int m = 1; m <= kTableColumns; ++m) out += '\t' + std::to_string(10 * (m + 1));
    out += '\n';
    char buffer[32];
    for (int k = 1; k <= kTableRows; ++k) {
        out += std::to_string(400 * k);
        for (int m = 1; m <= kTableColumns; ++m) {
            out += '\t';
            if (table.count[k - 1][m - 1] == 0) {
                out += "N/A";
                continue;
            }
            // Shortest text that reads back to the same double.
            const auto end =
                std::to_chars(buffer, buffer + sizeof buffer, table.mean[k - 1][m - 1]);
            out.append(buffer, end.ptr);
        }
        out += '\n';
    }
    return out;
}

}  // namespace grafolux
