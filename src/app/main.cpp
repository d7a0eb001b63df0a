// The window program: `grafolux [LOG]` opens LOG at start.
#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "app/Dialogs.h"
#include "app/Icons.h"
#include "app/frmMain.h"
#include "settings/SettingsFile.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setWindowIcon(grafolux::ApplicationIcon());
    // Ties the window to grafolux.desktop, whose icon a Wayland task bar shows.
    app.setDesktopFileName("grafolux");
    grafolux::QtDialogs dialogs;
    grafolux::frmMain window(dialogs, grafolux::SettingsFilePath());
    window.show();
    if (argc > 1) {
        // The recently-opened list keeps full paths.
        const QString path = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
        window.LoadLogFile(QFile::encodeName(path).toStdString());
    }
    return app.exec();
}
