#pragma once
// A file written beside its target and renamed over it only when complete, so that a full
// disk or any failure never leaves a partial file and never destroys the old one. Write
// failures carry the system's own reason ("No space left on device"), which Qt's save file
// reports as "Unknown error".

#include <QIODevice>
#include <QSaveFile>
#include <string_view>

namespace grafolux {

class AtomicFile : public QIODevice {
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile() override;

    // Creates the temporary file; false with errorString() set when it cannot.
    bool open();
    // Writes everything or fails with errorString() set.
    bool write(std::string_view bytes);
    using QIODevice::write;
    // Syncs the data to the disk and renames the file over the target. Without a commit the
    // temporary file is removed and the target stays as it was.
    bool commit();
    // The temporary file's descriptor, for hints to the system while writing.
    int handle() const { return file_.handle(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool Fail(int error);

    QSaveFile file_;
};

// Writes `bytes` as the whole file at `path`, atomically; false with `error` set (the system's
// reason) when it cannot, the old file then kept as it was.
bool WriteFileAtomically(const QString& path, std::string_view bytes, QString* error = nullptr);

}  // namespace grafolux
