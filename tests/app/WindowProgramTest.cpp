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

}  // namespace
