#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "logdata/LogParser.h"
#include "logdata/TextFields.h"

namespace {

using grafolux::LoadError;
using grafolux::LogData;
using grafolux::ParseLog;
using Rows = std::vector<std::vector<double>>;

std::vector<std::string> Names(const LogData& log) {
    std::vector<std::string> names;
    for (int32_t k = 1; k <= log.lngItemCount; ++k) names.push_back(log.udtItems[k].strName);
    return names;
}

Rows Samples(const LogData& log) {
    Rows rows(static_cast<size_t>(log.lngSampleCount));
    for (int32_t s = 1; s <= log.lngSampleCount; ++s)
        for (int32_t k = 1; k <= log.lngItemCount; ++k) rows[s - 1].push_back(log.sample(k, s));
    return rows;
}

TEST(ParseLog, ReadsHeaderAndSamplesByTheFormatRules) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
        Rows rows;
    } cases[] = {
        {"two items",
         "RPM\tMAP\r\n800\t30\r\n900\t31.5\r\n",
         {"RPM", "MAP"},
         {{800, 30}, {900, 31.5}}},
        {"short line repeats its last field", "A\tB\tC\r\n5\t6\r\n", {"A", "B", "C"}, {{5, 6, 6}}},
        {"empty field reads 0, extra ignored", "A\tB\r\n5\t\t7\r\n", {"A", "B"}, {{5, 0}}},
        {"trailing tab", "A\tB\tC\r\n5\t\r\n", {"A", "B", "C"}, {{5, 0, 0}}},
        {"blank line is a sample",
         "A\tB\r\n1\t2\r\n\r\n3\t4\r\n",
         {"A", "B"},
         {{1, 2}, {0, 0}, {3, 4}}},
        {"last line without end", "A\r\n1\r\n2", {"A"}, {{1}, {2}}},
        {"header only", "A\r\n", {"A"}, {}},
        {"header without line end", "A\tB", {"A", "B"}, {}},
        {"empty header field ends items", "A\t\tB\r\n1\t2\t3\r\n", {"A"}, {{1}}},
        {"header ending with tab", "A\tB\t\r\n1\t2\r\n", {"A", "B"}, {{1, 2}}},
        {"names kept as written", " rpm \tX:Y\tX:Y\r\n", {" rpm ", "X:Y", "X:Y"}, {}},
        {"CR line ends", "A\r1\r2\r", {"A"}, {{1}, {2}}},
        {"CR then CR LF", "A\r\r\n", {"A"}, {{0}}},
        {"lone LF inside a CR LF line", "A\tB\r\n1\n2\t3\r\n", {"A", "B"}, {{12, 3}}},
        {"LF line ends", "A\tB\n1\t2\n3\t4\n", {"A", "B"}, {{1, 2}, {3, 4}}},
        {"LF file also ends at CR", "A\n1\r\n2\r3\n\n", {"A"}, {{1}, {2}, {3}, {0}}},
        {"first LF before first CR", "A\nB\r\n1\r\n", {"A"}, {{0}, {1}}},
        {"fields by the number rule",
         "A\tB\tC\tD\r\n&H1F\tabc\t 12 3 \t-0\r\n",
         {"A", "B", "C", "D"},
         {{31, 0, 123, 0}}},
        {"NUL bytes",
         std::string("A\0\tB\r\n1\0 2\t\0\r\n", 14),
         {std::string("A\0", 2), "B"},
         {{1, 0}}},
    };
    for (const auto& c : cases) {
        const auto result = ParseLog(c.bytes, 7, {}, 1);
        ASSERT_TRUE(std::holds_alternative<LogData>(result)) << c.what;
        const auto& log = std::get<LogData>(result);
        EXPECT_EQ(Names(log), c.names) << c.what;
        EXPECT_EQ(Samples(log), c.rows) << c.what;
        EXPECT_EQ(log.dblSamples.size(), c.names.size() * c.rows.size()) << c.what;
    }
}

TEST(ParseLog, EveryItemStartsUnlockedUnfilledInTheGivenColour) {
    const auto log = std::get<LogData>(ParseLog("A\tB\r\n", 0xC00000, {}, 1));
    ASSERT_EQ(log.udtItems.size(), 3u);
    EXPECT_EQ(log.udtItems[0].strName, "");
    EXPECT_EQ(log.udtItems[0].lngColor, 0);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_EQ(log.udtItems[k].lngColor, 0xC00000);
        EXPECT_FALSE(log.udtItems[k].blnLocked || log.udtItems[k].blnFilled);
    }
}

TEST(ParseLog, FailsOnEmptyFileAndHeaderWithoutItem) {
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {"", "the file is empty"},
        {"\r\nA\r\n", "the header names no item"},
        {"\tA\r\n1\r\n", "the header names no item"},
        {"\n", "the header names no item"},
    };
    for (const auto& c : cases) {
        const auto result = ParseLog(c.bytes, 0, {}, 1);
        ASSERT_TRUE(std::holds_alternative<LoadError>(result)) << c.bytes;
        EXPECT_EQ(std::get<LoadError>(result).message, c.message);
    }
}

// Chunks cut at every kind of line end, blank and short lines; any split must give the same
// table as one worker, with no row lost, doubled or shifted.
TEST(ParseLog, SplittingAmongWorkersNeverChangesTheTable) {
    for (const char* eol : {"\r\n", "\r", "\n"}) {
        std::string bytes = std::string("A\tB\tC") + eol;
        const char* ends[] = {eol, "\r\n", "\r"};
        for (int line = 0; line < 300; ++line) {
            if (line % 7 == 0) {  // a blank line; LF after a lone CR would join the two ends
                bytes += "\r\n";
                continue;
            }
            bytes += std::to_string(line) + (line % 5 ? "\t" + std::to_string(line % 5) : "") +
                     (line % 11 == 0 ? "\t-1\t9" : "") + ends[line % 3];
        }
        const auto single = std::get<LogData>(ParseLog(bytes, 0, {}, 1));
        ASSERT_EQ(single.lngSampleCount, 300);
        for (int workers : {2, 3, 4, 5, 6, 7, 9, 13, 17, 40}) {
            const auto split = std::get<LogData>(ParseLog(bytes, 0, {}, workers));
            EXPECT_EQ(split.dblSamples, single.dblSamples) << workers << " workers";
        }
    }
}

// The loader reads plain decimals without Val; its values must be Val's to the last bit.
TEST(ParseLog, FastDecimalReadingMatchesValBitForBit) {
    std::mt19937_64 random(11);
    const std::string pieces[] = {"-", ".", "e", "E-", "0", "9", "5", "1", "00", " ", "x"};
    std::vector<std::string> fields;
    std::string bytes = "A\r\n";
    for (int i = 0; i < 20000; ++i) {
        std::string field;
        for (int digits = static_cast<int>(random() % 22); digits > 0; --digits)
            field += static_cast<char>('0' + random() % 10);
        if (random() % 2) field.insert(random() % (field.size() + 1), ".");
        if (random() % 3 == 0) field.insert(0, "-");
        if (random() % 5 == 0)
            field += pieces[random() % std::size(pieces)] + std::to_string(random() % 400);
        fields.push_back(field);
        bytes += field + "\r\n";
    }
    const auto log = std::get<LogData>(ParseLog(bytes, 0, {}, 1));
    ASSERT_EQ(log.lngSampleCount, static_cast<int32_t>(fields.size()));
    for (size_t s = 0; s < fields.size(); ++s) {
        const double val = grafolux::Val(fields[s]);
        EXPECT_EQ(std::memcmp(&log.dblSamples[s], &val, sizeof val), 0)
            << '"' << fields[s] << "\" " << log.dblSamples[s] << " vs " << val;
    }
}

}  // namespace
