#pragma once
// Files the tests write and read back.

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// The whole file; empty when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

// `bytes` written to `name` in `dir`; its path.
inline QString WriteIn(const QTemporaryDir& dir, const QString& name, std::string_view bytes) {
    WriteBytes(dir.filePath(name).toStdString(), bytes);
    return dir.filePath(name);
}

// `bytes` written to `name` in `folder` of the test's temporary folder; its path.
inline std::string WriteTempFile(const std::string& folder, const std::string& name,
                                 std::string_view bytes) {
    // One folder per test process, removed when it ends: runs side by side (ctest -j, two
    // checkouts, the mutation check) never write over each other's files.
    static const QTemporaryDir process;
    const auto dir = std::filesystem::path(process.path().toStdString()) / folder;
    std::filesystem::create_directories(dir);
    WriteBytes(dir / name, bytes);
    return (dir / name).string();
}
