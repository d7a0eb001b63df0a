#include "partial/PartialFile.h"

#include <QFile>

#include "files/AtomicFile.h"
#include "partial/PartialText.h"

namespace grafolux {

std::variant<Partial, std::string> ReadPartialFile(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    const auto failed = [&] { return path + ": " + file.errorString().toStdString(); };
    if (!file.open(QIODevice::ReadOnly)) return failed();
    // A log given by mistake is refused by its first bytes, not read whole.
    const QByteArray start = file.peek(64);
    if (!start.startsWith("grafolux partial")) {
        if (file.error() != QFileDevice::NoError) return failed();
        return path + ": not a partial result";
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return failed();
    auto read = ReadPartialBytes(std::string_view(bytes.constData(), bytes.size()));
    if (auto* fault = std::get_if<std::string>(&read)) return path + ": " + *fault;
    return std::move(std::get<Partial>(read));
}

std::optional<std::string> WritePartialFile(const std::string& path, const Partial& partial) {
    QString error;
    if (WriteFileAtomically(QFile::decodeName(path.c_str()), PartialBytes(partial), &error))
        return std::nullopt;
    return path + ": " + error.toStdString();
}

std::optional<std::string> PartialMerge::Add(const Partial& partial, const std::string& name) {
    if (!merged_) {
        merged_ = partial;
        firstName_ = name;
        return std::nullopt;
    }
    if (const auto difference = FingerprintDifference(*merged_, partial))
        return firstName_ + " and " + name + " cannot be merged: they differ in " + *difference;
    if (const auto fault = MergePartial(*merged_, partial)) return name + ": " + *fault;
    return std::nullopt;
}

}  // namespace grafolux
