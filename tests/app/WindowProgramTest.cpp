#include <gtest/gtest.h>

#include "Version.h"
#include "support/RunProgram.h"

namespace {

// The window program answers --help and --version without a display, and opens no log.
TEST(WindowProgram, AnswersHelpAndVersionWithoutADisplay) {
    const std::map<QString, QString> noDisplay = {
        {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}};
    const ProgramRun help = RunProgram(GRAFOLUX_WINDOW, {"--help"}, {}, noDisplay);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("[LOG]"), std::string::npos) << help.out;
    const ProgramRun version = RunProgram(GRAFOLUX_WINDOW, {"--version"}, {}, noDisplay);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("grafolux ").append(grafolux::kVersionText).append("\n"));
    EXPECT_NE(RunProgram(GRAFOLUX_WINDOW, {"--no-such-option"}, {}, noDisplay).exitCode, 0);
}

// Without a display the window says so in one line and exits 1 (not Qt's text and an abort),
// with a log to open or without one.
TEST(WindowProgram, WithoutADisplaySaysSoInOneLine) {
    const struct {
        const char* name;
        const char* display;
        QStringList arguments;
        const char* reason;
    } cases[] = {
        {"DISPLAY unset", "", {}, "DISPLAY is not set"},
        {"DISPLAY unset, a log given", "", {TEST_DATA_DIR "/no-such.txt"}, "DISPLAY is not set"},
        {"no server at DISPLAY", ":987", {}, "could not connect to display :987"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(
            GRAFOLUX_WINDOW, c.arguments, {},
            {{"DISPLAY", c.display}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}});
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_EQ(run.err, std::string("grafolux: cannot open a display (") + c.reason +
                               "); grafolux-cli works without one\n")
            << c.name;
        EXPECT_EQ(run.out, "") << c.name;
    }
}

}  // namespace
