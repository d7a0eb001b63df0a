#include <gtest/gtest.h>

#include <QDir>

#include "support/DrawingTestKit.h"
#include "support/RunProgram.h"
#include "views/ShellWords.h"
#include "views/TableCommand.h"

namespace grafolux {
namespace {

// Each word quoted only as far as it must be, and the shell itself reads every one back.
TEST(ShellQuoted, TheShellReadsEveryWordBackAsItWas) {
    const struct {
        const char* what;
        std::string word, quoted;
    } cases[] = {
        {"a condition with =", "MW2:7=1", "MW2:7=1"},
        {"a path", "/tmp/run_1-2,3.txt", "/tmp/run_1-2,3.txt"},
        {"an option", "--min-count", "--min-count"},
        {"a comparison", "SENSOR:INT<=131", "'SENSOR:INT<=131'"},
        {"a blank", "run 1.txt", "'run 1.txt'"},
        {"a quote", "it's", "'it'\\''s'"},
        {"quotes only", "''", "''\\'''\\'''"},
        {"empty", "", "''"},
        {"the shell's own signs", "$HOME `x` \"y\" \\z *?[a] ~ # & ; | ( ) < > !",
         "'$HOME `x` \"y\" \\z *?[a] ~ # & ; | ( ) < > !'"},
        {"a line break", "a\nb", "'a\nb'"},
        {"a tab", "a\tb", "'a\tb'"},
        {"bytes beyond ASCII", "r\xc3\xa9gime\xff", "'r\xc3\xa9gime\xff'"},
    };
    std::vector<std::string> words;
    for (const auto& c : cases) {
        EXPECT_EQ(ShellQuoted(c.word), c.quoted) << c.what;
        words.push_back(c.word);
    }
    // Read by sh from its input, so that no byte passes through an argument's encoding.
    const ProgramRun run = RunProgram(
        "sh", {}, QByteArray::fromStdString("printf '%s\\0' " + ShellCommandLine(words) + "\n"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> read;
    for (size_t from = 0, end; (end = run.out.find('\0', from)) != std::string::npos;
         from = end + 1)
        read.push_back(run.out.substr(from, end - from));
    EXPECT_EQ(read, words);
}

TEST(TableCommandWords, EverySettingSpeltOut) {
    const struct {
        const char* what;
        TableCommand command;
        std::vector<std::string> words;
    } cases[] = {
        {"the plain table",
         {TableKind::Blm, "/logs/run1.txt", {}, 1, 3000, {}, {}, false, {}},
         {"grafolux-cli", "table", "blm", "/logs/run1.txt", "--first", "1", "--last", "3000",
          "--show", "mean", "--min-count", "1", "--format", "text"}},
        {"everything",
         {TableKind::Int,
          "/a b/run.txt",
          {"/x/2.txt", "/x/3.txt"},
          -3,
          40,
          {CellStatistic::StdDev, 5},
          {{"MW2:7", CompareOp::Equal, 1}, {"D", CompareOp::GreaterEqual, 80.5}},
          true,
          {"C=SENSOR:CTS", "D=C*2"}},
         {"grafolux-cli", "table",        "int",         "/a b/run.txt",
          "--include",    "/x/2.txt",     "--include",   "/x/3.txt",
          "--first",      "-3",           "--last",      "40",
          "--show",       "sd",           "--min-count", "5",
          "--define",     "C=SENSOR:CTS", "--define",    "D=C*2",
          "--where",      "MW2:7=1",      "--where",     "D>=80.5",
          "--format",     "csv"}},
    };
    for (const auto& c : cases) EXPECT_EQ(TableCommandWords(c.command), c.words) << c.what;
}

// The window's table: the range as the table reads the boxes, paths made absolute, only the
// filters that no log can test left out, and the definitions the others read kept.
TEST(WindowTableCommand, LeavesOutOnlyTheFiltersNoLogCanTest) {
    const LogData shown = test::MakeLog({{"SENSOR:RPM", {1, 2}}, {"A", {1, 2}}});
    const LogData other = test::MakeLog({{"SENSOR:RPM", {1}}, {"B", {1}}});
    TableSettings settings;
    settings.look.show = {CellStatistic::Count, 2};
    const SampleCondition onA{"A", CompareOp::Less, 3}, onB{"B", CompareOp::Equal, 1},
        onC{"C", CompareOp::Greater, 0}, onRpm{"SENSOR:RPM", CompareOp::Greater, 0};
    settings.conditions = {onA, onC, onB, onRpm};
    settings.included = {{"2.txt", "/logs/2.txt", &other, false}};
    const auto definitions = std::get<std::vector<Definition>>(
        ParseDefinitions(std::vector<std::string>{"E=SENSOR:RPM", "F=1", "G=E+1"}));
    const TableCommand command =
        WindowTableCommand(TableKind::Int, "run 1.txt", shown, "2.5", "abc", settings, definitions);
    EXPECT_EQ(command.kind, TableKind::Int);
    EXPECT_EQ(command.log, QDir::current().filePath("run 1.txt").toStdString());
    EXPECT_EQ(command.included, std::vector<std::string>{"/logs/2.txt"});
    EXPECT_EQ(command.first, 2);  // halves to even
    EXPECT_EQ(command.last, 0);
    EXPECT_EQ(command.show, settings.look.show);
    EXPECT_EQ(command.conditions, (std::vector<SampleCondition>{onA, onB, onRpm}));
    EXPECT_FALSE(command.csv);
    EXPECT_EQ(command.definitions, std::vector<std::string>{});

    settings.included.clear();  // the shown log alone cannot test B either
    EXPECT_EQ(
        WindowTableCommand(TableKind::Blm, "/r.txt", shown, "1", "2", settings, {}).conditions,
        (std::vector<SampleCondition>{onA, onRpm}));
    // A filter on a computed item takes the definitions it reads, through one another.
    const LogData computed =
        test::MakeLog({{"SENSOR:RPM", {1, 2}}, {"E", {2, 3}}, {"F", {1, 1}}, {"G", {3, 4}}});
    settings.conditions = {{"G", CompareOp::Greater, 3}};
    EXPECT_EQ(
        WindowTableCommand(TableKind::Blm, "/r.txt", computed, "1", "2", settings, definitions)
            .definitions,
        (std::vector<std::string>{"E=SENSOR:RPM", "G=E+1"}));
}

}  // namespace
}  // namespace grafolux
