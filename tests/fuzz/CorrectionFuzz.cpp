// The correction on any bytes, read in blocks of 1 to 16 bytes: the same file as when read in
// one block; every line ends with CR LF; the data lines are the input's, byte for byte; the
// header holds the same names; and the loader reads the same samples from both files.
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <variant>

#include "FuzzKit.h"
#include "ReferenceLines.h"
#include "correct/BitOrderCorrection.h"
#include "logdata/LogParser.h"

using namespace grafolux;

namespace {

struct Corrected {
    CorrectionResult result;
    QByteArray bytes;
};

Corrected Correct(const QByteArray& log, qint64 blockSize, const QString& outputPath) {
    QBuffer input;
    input.setData(log);
    input.open(QIODevice::ReadOnly);
    Corrected corrected{CorrectLog(input, QFile::encodeName(outputPath).toStdString(), blockSize),
                        {}};
    QFile output(outputPath);
    if (output.open(QIODevice::ReadOnly)) corrected.bytes = output.readAll();
    output.close();
    QFile::remove(outputPath);
    return corrected;
}

std::vector<std::string_view> SortedFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
        fields.push_back(line.substr(0, tab));
    fields.push_back(line);
    std::sort(fields.begin(), fields.end());
    return fields;
}

void CheckSameSamples(std::string_view input, std::string_view output) {
    const LoadResult before = ParseLog(input, 0, {}, 1);
    const LoadResult after = ParseLog(output, 0, {}, 1);
    FUZZ_CHECK(before.index() == after.index());
    if (const auto* log = std::get_if<LogData>(&before)) {
        const LogData& other = std::get<LogData>(after);
        FUZZ_CHECK(log->lngItemCount == other.lngItemCount);
        FUZZ_CHECK(log->lngSampleCount == other.lngSampleCount);
        for (int32_t k = 1; k <= log->lngItemCount; ++k) {
            const WholeColumn a = log->wholeColumn(k), b = other.wholeColumn(k);
            FUZZ_CHECK(std::equal(a->begin(), a->end(), b->begin(), b->end(), fuzz::SameBits));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder;
    fuzz::FuzzInput input(data, size);
    const qint64 blockSize = input.Byte() % 16 + 1;
    const std::string_view log = input.Rest();
    const QByteArray bytes(log.data(), static_cast<qsizetype>(log.size()));

    const Corrected whole =
        Correct(bytes, static_cast<qint64>(log.size()) + 1, folder.filePath("whole.txt"));
    const Corrected blocks = Correct(bytes, blockSize, folder.filePath("blocks.txt"));
    FUZZ_CHECK(whole.result.ok == blocks.result.ok);
    FUZZ_CHECK(whole.result.error == blocks.result.error);
    FUZZ_CHECK(whole.bytes == blocks.bytes);
    if (!whole.result.ok) {
        FUZZ_CHECK(!whole.result.error.empty() && whole.bytes.isEmpty());
        return 0;
    }
    const std::string_view out(whole.bytes.constData(), static_cast<size_t>(whole.bytes.size()));
    FUZZ_CHECK(out.ends_with("\r\n"));
    for (size_t cr = out.find('\r'); cr != std::string_view::npos; cr = out.find('\r', cr + 1))
        FUZZ_CHECK(cr + 1 < out.size() && out[cr + 1] == '\n');

    const auto inLines = fuzz::ReferenceLines(log), outLines = fuzz::ReferenceLines(out);
    FUZZ_CHECK(inLines.size() == outLines.size());
    FUZZ_CHECK(std::equal(inLines.begin() + 1, inLines.end(), outLines.begin() + 1));
    FUZZ_CHECK(SortedFields(inLines[0]) == SortedFields(outLines[0]));
    CheckSameSamples(log, out);
    return 0;
}
