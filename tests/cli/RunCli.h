#pragma once
// Runs the built grafolux-cli as a user would, and collects what it says.

#include "support/RunProgram.h"

using CliRun = ProgramRun;

inline CliRun RunCli(const QStringList& arguments, const QByteArray& input = {},
                     const std::map<QString, QString>& environment = {}) {
    return RunProgram(GRAFOLUX_CLI, arguments, input, environment);
}
