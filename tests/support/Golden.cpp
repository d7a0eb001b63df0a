#include "support/Golden.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <string>

#include "support/TestFiles.h"

namespace test {
namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The output made is kept in the build tree, never beside the golden file in the sources.
QString ActualPath(const QString& golden) {
    return QDir(GOLDEN_ACTUAL_DIR).filePath(QDir(GOLDEN_SOURCE_DIR).relativeFilePath(golden)) +
           ".actual";
}

testing::AssertionResult Verdict(const QString& golden, const QByteArray& made, bool same,
                                 const std::string& how) {
    const QString actual = ActualPath(golden);
    if (same) {
        QFile::remove(actual);
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "differs from " << golden.toStdString() << "; the output made "
           << (WriteFile(actual, made) ? "is " : "could not be written to ") << actual.toStdString()
           << "\n"
           << how;
}

void Rewrite(const QString& golden, const QByteArray& made) {
    if (qEnvironmentVariableIntValue("GRAFOLUX_WRITE_GOLDEN")) WriteFile(golden, made);
}

std::string PixelDifference(const QImage& madeImage, const QImage& goldenImage) {
    if (goldenImage.isNull() || madeImage.isNull()) return "a picture cannot be read";
    const QImage made = madeImage.convertToFormat(QImage::Format_RGB32);
    const QImage expected = goldenImage.convertToFormat(QImage::Format_RGB32);
    if (made.size() != expected.size())
        return QString("size %1x%2, expected %3x%4")
            .arg(made.width())
            .arg(made.height())
            .arg(expected.width())
            .arg(expected.height())
            .toStdString();
    int64_t count = 0;
    QString first;
    for (int y = 0; y < made.height(); ++y)
        for (int x = 0; x < made.width(); ++x)
            if (made.pixel(x, y) != expected.pixel(x, y) && count++ == 0)
                first = QString("first differing pixel (%1, %2): %3, expected %4")
                            .arg(x)
                            .arg(y)
                            .arg(made.pixel(x, y), 6, 16)
                            .arg(expected.pixel(x, y), 6, 16);
    if (count == 0) return "";
    return QString("%1; %2 pixels differ").arg(first).arg(count).toStdString();
}

}  // namespace

testing::AssertionResult SameAsGoldenText(const QByteArray& made, const QString& golden) {
    Rewrite(golden, made);
    if (made == ReadAll(golden)) return Verdict(golden, made, true, "");
    const testing::AssertionResult verdict = Verdict(golden, made, false, "");
    QProcess diff;
    diff.start("diff", {"-u", golden, ActualPath(golden)});
    diff.waitForFinished();
    return testing::AssertionResult(verdict)
           << diff.readAllStandardOutput().left(8000).toStdString();
}

testing::AssertionResult SameAsGoldenBytes(const QByteArray& made, const QString& golden) {
    Rewrite(golden, made);
    const QByteArray expected = ReadAll(golden);
    if (made == expected) return Verdict(golden, made, true, "");
    std::string how = PixelDifference(QImage::fromData(made), QImage::fromData(expected));
    if (how.empty()) {
        qsizetype at = 0;
        while (at < made.size() && at < expected.size() && made[at] == expected[at]) ++at;
        how = "the same pixels; the bytes differ from offset " + std::to_string(at);
    }
    return Verdict(golden, made, false, how);
}

testing::AssertionResult SameAsGoldenPicture(const QImage& made, const QString& golden) {
    if (qEnvironmentVariableIntValue("GRAFOLUX_WRITE_GOLDEN")) made.save(golden);
    const QImage expected(golden);
    const std::string how = PixelDifference(made, expected);
    QByteArray png;
    if (!how.empty()) {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        made.save(&buffer, "PNG");
    }
    return Verdict(golden, png, how.empty(), how);
}

}  // namespace test
