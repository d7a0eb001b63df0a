#pragma once
// The header rewrite: the logger names the eight columns of each flag byte in reversed bit
// order; putting them back means reversing the names of each group.

#include <string>
#include <string_view>

namespace grafolux {

struct HeaderCorrection {
    bool ok = false;
    std::string header;  // the rewritten header line, without line end
    std::string error;   // one line when !ok
};

// Reverses, for each group prefix in turn, the eight names from the first name that begins
// with it. Names end at the first empty field; that field, what follows it and a trailing tab
// are kept as they were. A group that starts fewer than eight names from the end is an error.
HeaderCorrection ReverseBitGroups(std::string_view header);

}  // namespace grafolux
