#pragma once
// The recently-opened list: most recent first, unique by exact text, at most five after an
// addition. The File menu only mirrors it.

#include <string>
#include <vector>

namespace grafolux {

constexpr size_t kMaxRecent = 5;

void AddRecent(std::vector<std::string>& strRecent, const std::string& path);

}  // namespace grafolux
