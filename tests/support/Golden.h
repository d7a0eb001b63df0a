#pragma once
// Comparisons with the files in tests/data that pin an output. On a mismatch the output made is
// written beside the golden file's place in the build tree (tests/actual/<path>.actual) and the
// failure says where and how the two differ; GRAFOLUX_WRITE_GOLDEN=1 rewrites the golden file
// instead, after a deliberate change.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace test {

// Text: the failure shows a unified diff.
testing::AssertionResult SameAsGoldenText(const QByteArray& made, const QString& golden);
// An encoded picture (GIF, PNG), byte for byte: the failure tells the first differing pixel and
// how many differ, or the first differing byte when the pixels agree.
testing::AssertionResult SameAsGoldenBytes(const QByteArray& made, const QString& golden);
// A picture, pixel for pixel (the golden file is a PNG).
testing::AssertionResult SameAsGoldenPicture(const QImage& made, const QString& golden);

}  // namespace test
