// The platform's own dialogs, as far as the window relies on them.

#include <QFileDialog>

#include "WindowFixture.h"

namespace grafolux {
namespace {

// The dialog of several files starts in the folder it is given with nothing chosen (Enter
// then chooses nothing), or at the file it is given.
TEST(QtDialogs, SeveralFilesStartInTheFolderGivenWithNothingChosen) {
    QTemporaryDir dir;
    const QString log = QString::fromStdString(WriteLog(dir, "run1.txt", 3));
    const struct {
        const char* what;
        QString initial;
        QStringList chosen;
    } cases[] = {
        {"a folder", dir.path(), {}},
        {"a file", log, {log}},
    };
    for (const auto& c : cases) {
        QString folder;
        QStringList chosen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            folder = dialog->directory().absolutePath();
            for (const QString& path : dialog->selectedFiles())
                if (QFileInfo(path).isFile()) chosen << path;
            dialog->reject();
        });
        EXPECT_EQ(QtDialogs().GetOpenFileNames(nullptr, c.initial, LogFileFilters(), 2),
                  QStringList())
            << c.what;
        EXPECT_EQ(folder.toStdString(), QDir(dir.path()).absolutePath().toStdString()) << c.what;
        EXPECT_EQ(chosen, c.chosen) << c.what;
    }
}

}  // namespace
}  // namespace grafolux
