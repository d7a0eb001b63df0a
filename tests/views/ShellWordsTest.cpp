#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "views/ShellWords.h"

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

}  // namespace
}  // namespace grafolux
