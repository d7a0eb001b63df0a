#pragma once
// Runs the built grafolux-cli as a user would, and collects what it says.

#include <QProcess>
#include <QStringList>
#include <string>

struct CliRun {
    int exitCode;
    std::string out, err;
};

inline CliRun RunCli(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess cli;
    cli.start(GRAFOLUX_CLI, arguments);
    cli.write(input);
    cli.closeWriteChannel();
    cli.waitForFinished(60000);
    return {cli.exitCode(), cli.readAllStandardOutput().toStdString(),
            cli.readAllStandardError().toStdString()};
}
