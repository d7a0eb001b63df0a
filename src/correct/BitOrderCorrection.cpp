#include "correct/BitOrderCorrection.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "correct/BitGroups.h"
#include "correct/LineEnds.h"
#include "files/AtomicFile.h"
#include "logdata/LogFormat.h"

#ifdef __linux__
#include <fcntl.h>
#endif

namespace grafolux {

namespace {

#ifdef _WIN32
constexpr std::string_view kFolderSeparators = "/\\";
#else
constexpr std::string_view kFolderSeparators = "/";
#endif

// Large enough that the copy runs at the speed of the disk, small enough to stay in cache.
constexpr qint64 kBlockSize = qint64{1} << 20;

// Hands what was written to the disk every few MiB without waiting for it, so the sync that
// the atomic write makes before the rename finds little left to do: on a large log that sync alone
// would otherwise cost as much as the whole copy.
class EarlyWriteBack {
public:
    explicit EarlyWriteBack(int fd) : fd_(fd) {}
    void wrote(qint64 bytes) {
        written_ += bytes;
        if (written_ - started_ < kStep) return;
#ifdef __linux__
        sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
#endif
        started_ = written_;
    }

private:
    static constexpr qint64 kStep = qint64{8} << 20;
    [[maybe_unused]] int fd_;
    qint64 written_ = 0;
    qint64 started_ = 0;
};

std::string Text(const QString& text) { return text.toLocal8Bit().toStdString(); }

CorrectionResult Failure(std::string error) {
    CorrectionResult result;
    result.error = std::move(error);
    return result;
}

// 1-based position of the last occurrence of `search` in `text`, 0 when there is none.
size_t InStrLast(std::string_view text, std::string_view search) {
    const size_t at = text.rfind(search);
    return at == std::string_view::npos ? 0 : at + 1;
}

}  // namespace

std::string CorrectedPath(const std::string& path) {
    const size_t nameStart = [&] {
        const size_t separator = path.find_last_of(kFolderSeparators);
        return separator == std::string::npos ? 0 : separator + 1;
    }();
    const size_t dotTxt = InStrLast(std::string_view(path).substr(nameStart), ".txt");
    const size_t keep = dotTxt == 0 ? path.size() : nameStart + dotTxt - 1;
    return path.substr(0, keep) + "_corrected.txt";
}

CorrectionResult CorrectLogFile(const std::string& path) {
    const QString name = QFile::decodeName(path.c_str());
    if (QFileInfo(name).isDir()) return Failure(path + ": is a folder, not a log");
    QFile input(name);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Failure(path + ": cannot open: " + Text(input.errorString()));
    CorrectionResult result = CorrectLog(input, CorrectedPath(path), kBlockSize);
    if (!result.ok) result.error = path + ": " + result.error;
    return result;
}

CorrectionResult CorrectLog(QIODevice& input, const std::string& outputPath, qint64 blockSize) {
    std::vector<char> block(static_cast<size_t>(blockSize));
    bool readError = false;
    auto readBlock = [&]() -> std::string_view {
        const qint64 count = input.read(block.data(), blockSize);
        readError |= count < 0;
        return {block.data(), static_cast<size_t>(std::max<qint64>(count, 0))};
    };
    auto readFailed = [&] { return Failure("cannot read: " + Text(input.errorString())); };

    // Line 1 may span blocks; it ends at the first CR or LF whichever rule the file follows.
    std::string head;
    size_t headerEnd = std::string::npos;
    while (headerEnd == std::string::npos) {
        const std::string_view chunk = readBlock();
        if (chunk.empty()) break;
        const size_t searched = head.size();
        head += chunk;
        headerEnd = FirstLineEnd(std::string_view(head).substr(searched));
        if (headerEnd != std::string::npos) headerEnd += searched;
    }
    if (readError) return readFailed();
    if (head.empty()) return Failure("the log is empty");
    const std::string_view header = std::string_view(head).substr(0, headerEnd);
    const HeaderCorrection corrected = ReverseBitGroups(header);
    if (!corrected.ok) return Failure(corrected.error);

    AtomicFile output(QFile::decodeName(outputPath.c_str()));
    auto writeFailed = [&] {
        return Failure("cannot write " + outputPath + ": " + Text(output.errorString()));
    };
    if (!output.open()) return writeFailed();
    EarlyWriteBack writeBack(output.handle());
    auto write = [&](std::string_view bytes) {
        if (!output.write(bytes)) return false;
        writeBack.wrote(static_cast<qint64>(bytes.size()));
        return true;
    };
    CrLfConverter lines;
    if (!write(lines.convert(corrected.header)) ||
        !write(lines.convert(std::string_view(head).substr(header.size()))))
        return writeFailed();
    for (std::string_view chunk = readBlock(); !chunk.empty(); chunk = readBlock())
        if (!write(lines.convert(chunk))) return writeFailed();
    if (readError) return readFailed();
    if (!write(lines.finish()) || !output.commit()) return writeFailed();
    CorrectionResult result;
    result.ok = true;
    result.outputPath = outputPath;
    return result;
}

}  // namespace grafolux
