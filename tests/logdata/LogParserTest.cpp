#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "logdata/LogParser.h"
#include "logdata/TextFields.h"
#include "support/LogTestKit.h"

namespace {

using grafolux::LogData;
using grafolux::ParseLog;

// The format rules line by line (line ends, short and blank lines, empty fields, the header)
// are the fuzz target's checks against a slow reading of its own, over a seed for each rule.

// "NAME:v v … " for each column of the log, or only for those `keep` names.
std::string ColumnsText(const LogData& log, const std::vector<std::string>& keep = {}) {
    std::string text;
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        if (!keep.empty() && std::ranges::find(keep, log.udtItems[k].strName) == keep.end())
            continue;
        text += log.udtItems[k].strName + ":";
        for (double v : *log.wholeColumn(k)) text += std::to_string(v) + " ";
    }
    return text;
}

// Keeping some columns gives exactly those columns of the full table (every column of a kept
// name, in header order), whatever the line's length, and for any split among workers.
TEST(ParseLog, KeptColumnsEqualTheFullTablesColumns) {
    const std::string bytes =
        "A\tB\tC\tB\tD\r\n1\t2\t3\t4\t5\r\n6\t7\r\n\r\n8\t\t9\r\n10\t11\t12\t13\t14\t15\r\n"
        "16\t17\t18\t19\t\r\n20";
    const auto full = std::get<LogData>(ParseLog(bytes, 0, {}, 1));
    const std::vector<std::vector<std::string>> selections = {
        {"A"}, {"B"}, {"D"}, {"C", "A"}, {"D", "B", "Z"}, {"Z"}, {"A", "B", "C", "D"}};
    for (const auto& keep : selections) {
        for (int workers : {1, 3}) {
            const auto kept = std::get<LogData>(ParseLog(bytes, 0, {}, workers, keep));
            EXPECT_EQ(ColumnsText(kept), ColumnsText(full, keep))
                << keep.front() << " with " << workers << " workers";
            EXPECT_EQ(kept.lngSampleCount, full.lngSampleCount) << keep.front();
            EXPECT_EQ(grafolux::test::Table(kept).size(),
                      static_cast<size_t>(kept.lngItemCount) * 7)
                << keep.front();
        }
    }
}

// Lines cut into pieces, and bytes read, at every kind of line end, blank and short lines; any
// cut must give the same table as one worker reading large pieces, with no row lost, doubled or
// shifted.
TEST(ParseLog, CuttingIntoPiecesNeverChangesTheTable) {
    for (const char* eol : {"\r\n", "\r", "\n"}) {
        std::string bytes = std::string("A\tB\tC") + eol;
        const char* ends[] = {eol, "\r\n", "\r"};
        for (int line = 0; line < 3000; ++line)  // blank lines get CR LF: LF after CR would join
            bytes += line % 7 == 0 ? "\r\n"
                                   : std::to_string(line) + (line % 5 ? "\t5" : "") +
                                         (line % 11 ? "" : "\t-1\t9") + ends[line % 3];
        const auto single = std::get<LogData>(ParseLog(bytes, 0, {}, 1));
        ASSERT_EQ(single.lngSampleCount, 3000);
        for (const grafolux::PieceLimits limits :
             {grafolux::PieceLimits{1, 1}, {2, 1}, {7, 5000}, {4096, 1}, {1 << 20, 1}})
            for (int workers : {1, 2, 3})
                EXPECT_EQ(grafolux::test::Table(
                              std::get<LogData>(ParseLog(bytes, 0, {}, workers, {}, limits))),
                          grafolux::test::Table(single))
                    << workers << " workers, reads of " << limits.readBytes;
    }
}

// The loader reads plain decimals without Val; its values must be Val's to the last bit.
TEST(ParseLog, FastDecimalReadingMatchesValBitForBit) {
    std::mt19937_64 random(11);
    const std::string tails[] = {"-", ".", "e", "E-", "0", "00", " ", "x"};
    std::vector<std::string> fields(20000);
    std::string bytes = "A\r\n";
    for (std::string& field : fields) {
        std::string digits;
        for (auto count = random() % 22; count > 0; --count) digits += char('0' + random() % 10);
        const size_t point = random() % 2 ? random() % (digits.size() + 1) : std::string::npos;
        // Built by appending: GCC 12 at -O3 misreads insert() and assign() as overlapping copies.
        field.append(random() % 3 == 0 ? 1 : 0, '-').append(digits, 0, point);
        if (point != std::string::npos) field.append(".").append(digits, point);
        if (random() % 5 == 0)
            field.append(tails[random() % std::size(tails)]).append(std::to_string(random() % 400));
        bytes += field + "\r\n";
    }
    const auto log = std::get<LogData>(ParseLog(bytes, 0, {}, 1));
    for (size_t s = 0; s < fields.size(); ++s) {
        const double val = grafolux::Val(fields[s]);
        const double read = log.sample(1, static_cast<int32_t>(s) + 1);
        EXPECT_EQ(std::memcmp(&read, &val, sizeof val), 0) << '"' << fields[s] << '"';
    }
}

}  // namespace
