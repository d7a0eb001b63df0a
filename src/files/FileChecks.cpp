#include "files/FileChecks.h"

#include <QFile>
#include <QFileInfo>
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

namespace grafolux {

QString FileTitle(const std::string& path) {
    return QFileInfo(QFile::decodeName(path.c_str())).fileName();
}

}  // namespace grafolux
