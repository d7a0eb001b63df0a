
#include "RunCli.h"
#include "Version.h"

namespace {

// That every command answers --help is the packaging test's, against the man page.
TEST(CliHelp, VersionShortHelpAndUsageErrors) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out,
              std::string("grafolux-cli ").append(grafolux::kVersionText).append("\n"));
    const CliRun help = RunCli({"retune", "-h"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("usage: grafolux-cli retune ")) << help.out;
    EXPECT_EQ(help.err, "");
    for (const QStringList& args : {QStringList{}, QStringList{"chart"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: grafolux-cli COMMAND"), std::string::npos) << run.err;
    }
}

}  // namespace
