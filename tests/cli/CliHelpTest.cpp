
#include "RunCli.h"
#include "Version.h"

namespace {

const QStringList kCommands = {"dump", "table", "cells", "find", "correct", "gif", "export"};

TEST(CliHelp, EveryCommandAnswersHelpAndTheToolItsVersion) {
    for (const QString& command : kCommands) {
        for (const char* help : {"--help", "-h"}) {
            const CliRun run = RunCli({command, help});
            EXPECT_EQ(run.exitCode, 0) << command.toStdString();
            EXPECT_TRUE(run.out.starts_with("usage: grafolux-cli " + command.toStdString() + " "))
                << run.out;
            EXPECT_EQ(run.err, "") << command.toStdString();
        }
    }
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out,
              std::string("grafolux-cli ").append(grafolux::kVersionText).append("\n"));
}

TEST(CliHelp, NoArgumentsOrAnUnknownCommandIsAUsageError) {
    for (const QStringList& args : {QStringList{}, QStringList{"chart"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: grafolux-cli COMMAND"), std::string::npos) << run.err;
    }
}

}  // namespace
