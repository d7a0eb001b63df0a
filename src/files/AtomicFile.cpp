#include "files/AtomicFile.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace grafolux {

AtomicFile::AtomicFile(const QString& path) : file_(path) {}

AtomicFile::~AtomicFile() = default;

bool AtomicFile::Fail(int error) {
    setErrorString(QString::fromStdString(std::generic_category().message(error)));
    return false;
}

bool AtomicFile::open() {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setErrorString(file_.errorString());
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool AtomicFile::write(std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    return QIODevice::write(bytes.data(), size) == size;
}

// Straight to the descriptor, so that errno is the failing write's own.
qint64 AtomicFile::writeData(const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t wrote =
            ::write(file_.handle(), data + done, static_cast<size_t>(size - done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            Fail(wrote < 0 ? errno : ENOSPC);
            return -1;
        }
        done += wrote;
    }
    return done;
}

bool AtomicFile::commit() {
    // The sync is where a delayed write-back reports a full disk; done here, its reason is known.
    if (::fdatasync(file_.handle()) != 0 && errno != EINVAL) return Fail(errno);
    QIODevice::close();
    if (file_.commit()) return true;
    setErrorString(file_.errorString());
    return false;
}

bool WriteFileAtomically(const QString& path, std::string_view bytes, QString* error) {
    AtomicFile file(path);
    if (file.open() && file.write(bytes) && file.commit()) return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace grafolux
