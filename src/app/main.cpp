// The window program: `grafolux [LOG]` opens LOG at start.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "Version.h"
#include "app/Dialogs.h"
#include "app/Icons.h"
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

// Qt's messages while the window's application starts, held back: a platform that cannot open
// a display ends them with a fatal message and an abort, which becomes one line and exit 1.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void OnStartMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    // The platform's own reason comes first ("could not connect to display :5"); what
    // follows it only says that no platform could start.
    QString reason = heldMessages.empty() ? message : heldMessages.front().second;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        reason = "DISPLAY is not set";
    reason = reason.section('\n', 0, 0).trimmed();
    std::fprintf(stderr, "grafolux: cannot open a display (%s); grafolux-cli works without one\n",
                 qUtf8Printable(reason));
    std::fflush(stderr);
    std::_Exit(1);  // the half-made application is left as it is
}

// Says what held back messages said, once the application has started.
void ReplayHeldMessages() {
    for (const auto& [type, message] : heldMessages) {
        const QMessageLogger logger;
        if (type == QtDebugMsg) logger.debug("%s", qUtf8Printable(message));
        if (type == QtInfoMsg) logger.info("%s", qUtf8Printable(message));
        if (type == QtWarningMsg) logger.warning("%s", qUtf8Printable(message));
        if (type == QtCriticalMsg) logger.critical("%s", qUtf8Printable(message));
    }
    heldMessages.clear();
}

}  // namespace

int main(int argc, char** argv) {
    const QString log = LogToOpen(argc, argv);
    const QtMessageHandler qtHandler = qInstallMessageHandler(OnStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    ReplayHeldMessages();
    app.setWindowIcon(grafolux::ApplicationIcon());
    // Ties the window to grafolux.desktop, whose icon a Wayland task bar shows.
    app.setDesktopFileName("grafolux");
    grafolux::QtDialogs dialogs;
    grafolux::frmMain window(dialogs, grafolux::SettingsFilePath());
    window.show();
    // The recently-opened list keeps full paths.
    if (!log.isEmpty())
        window.LoadLogFile(QFile::encodeName(QFileInfo(log).absoluteFilePath()).toStdString());
    return app.exec();
}
