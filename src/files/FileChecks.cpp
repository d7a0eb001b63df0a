#include "files/FileChecks.h"

#include <filesystem>

namespace grafolux {

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace grafolux
