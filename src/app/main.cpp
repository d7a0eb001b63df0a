// The window program: `grafolux [LOG]` opens LOG at start.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include "Version.h"
#include "app/Dialogs.h"
#include "app/frmMain.h"
#include "settings/SettingsFile.h"

namespace {

// Answers --help and --version (and refuses unknown options) before the window's application
// exists, so that they need no display; returns the log to open, if any.
QString LogToOpen(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("grafolux");
    QCoreApplication::setApplicationVersion(grafolux::kVersionText);
    QCommandLineParser parser;
    parser.setApplicationDescription("Viewer for engine-data log files.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("LOG", "The log file to open at start.", "[LOG]");
    parser.process(app);  // prints and exits for --help, --version and errors
    const QStringList logs = parser.positionalArguments();
    if (logs.size() > 1) parser.showHelp(1);  // one log at a time
    return logs.isEmpty() ? QString() : logs.front();
}

}  // namespace

int main(int argc, char** argv) {
    const QString log = LogToOpen(argc, argv);
    QApplication app(argc, argv);
    grafolux::QtDialogs dialogs;
    grafolux::frmMain window(dialogs, grafolux::SettingsFilePath());
    window.show();
    // The recently-opened list keeps full paths.
    if (!log.isEmpty())
        window.LoadLogFile(QFile::encodeName(QFileInfo(log).absoluteFilePath()).toStdString());
    return app.exec();
}
