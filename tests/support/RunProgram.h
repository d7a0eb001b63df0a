#pragma once
// Runs a built program as a user would, and collects what it says.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <map>
#include <string>

struct ProgramRun {
    int exitCode;  // -1 when the program crashed
    std::string out, err;
};

// `environment` sets variables (an empty value removes one) on top of the test's own.
inline ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                             const QByteArray& input = {},
                             const std::map<QString, QString>& environment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment)
        value.isEmpty() ? env.remove(name) : env.insert(name, value);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}
