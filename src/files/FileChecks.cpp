#include "files/FileChecks.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace grafolux {

QString DecodePath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, error) && !error;
}

QString FileTitle(const std::string& path) { return QFileInfo(DecodePath(path)).fileName(); }

}  // namespace grafolux
