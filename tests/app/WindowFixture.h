#pragma once
// A window on the offscreen platform with scripted dialogs, and the user's actions on it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "ScriptedDialogs.h"
#include "app/GraphOverlay.h"
#include "app/frmMain.h"
#include "graph/GraphDrawing.h"
#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace grafolux {

// A log of `lines` samples: rpm 800 + 40 i, map 20 + i % 80, BLM 120 + i % 16, INT 128.
inline std::string WriteLog(const QTemporaryDir& dir, const char* name, int lines) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\r\n";
    for (int i = 0; i < lines; ++i)
        out << 800 + 40 * i << '\t' << 20 + i % 80 << '\t' << 120 + i % 16 << "\t128\r\n";
    return path;
}

// Samples over the map's cells, trims off 128 by the cell, a closed-loop flag on two samples in
// three, the engine warm after the first 40.
inline std::string WriteTrimLog(const QTemporaryDir& dir, const char* name, int lines,
                                int offset = 0) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\tSENSOR:CTS\tMW2:7\r\n";
    for (int i = 0; i < lines; ++i)
        out << 1000 + 500 * (i % 5) << '\t' << 20 + 15 * (i % 4) << '\t'
            << 116 + (i * 7 + offset) % 25 << '\t' << 126 + i % 5 << '\t' << (i < 40 ? 30 : 90)
            << '\t' << (i % 3 != 0) << "\r\n";
    return path;
}

class WindowFixture : public testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> window;

    void Start() {
        window = std::make_unique<frmMain>(dialogs, dir.filePath("Grafolux.cfg").toStdString());
        window->show();
        QApplication::processEvents();
    }
    // Started, active (keys reach the canvas' shortcuts in the active window only), showing
    // `path`: by default a log of 200 samples.
    void StartWith(const std::string& path = {}) {
        Start();
        QApplication::setActiveWindow(window.get());
        Open(path.empty() ? WriteLog(dir, "run.txt", 200) : path);
    }
    // `bytes` written to `name` in the test's folder; its path.
    std::string WriteText(const char* name, std::string_view bytes) {
        return WriteIn(dir, name, bytes).toStdString();
    }
    template <typename T>
    T* Control(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Menu(const char* name) { Control<QAction>(name)->trigger(); }
    void Open(const std::string& path) {
        dialogs.paths.push_back(QString::fromStdString(path));
        Menu("OpenLog");
    }
    void Click(const char* name, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(Control<QAbstractButton>(name), Qt::LeftButton);
    }
    // Opens a log of one sample that arrives through a pipe, piece by piece until `during` has
    // run among the window's events, so that the load is under way then. Its path.
    std::string OpenWhileLoading(const std::function<void()>& during) {
        const std::string pipe = dir.filePath("arriving.txt").toStdString();
        EXPECT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        std::atomic<bool> ran = false;
        std::thread writer([&] {
            std::ofstream out(pipe, std::ios::binary);
            out << "A\r\n";
            const std::string piece(1 << 20, ' ');  // one long sample line: quick to parse
            for (int k = 0; k < 500 && !ran; ++k) {
                out << piece << std::flush;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        QTimer::singleShot(0, [&] {
            during();
            ran = true;
        });
        Open(pipe);
        writer.join();
        return pipe;
    }
    void Type(const char* box, const QString& text) {
        auto* edit = Control<QLineEdit>(box);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // The graph shown now, drawn again aside: where each sample lies.
    SampleAxis ShownAxis() {
        DrawingArea aside;
        aside.pbGraph.SetSize(window->area().pbGraph.Width(), window->area().pbGraph.Height());
        const GraphRequest request{Control<QComboBox>("cbLabels")->currentIndex() + 1,
                                   Control<QLineEdit>("tbFirst")->text().toDouble(),
                                   Control<QLineEdit>("tbLast")->text().toDouble(),
                                   window->document().zoom()};
        return DrawGraph(aside, window->document().log(), request, DisplayColors{}).axis.value();
    }
    int CanvasWidth() const { return window->area().pbGraphContents.image().width(); }
    int ColumnOf(int32_t sample) { return ShownAxis().ColumnOfSample(sample, CanvasWidth()); }
    // What the command that Copy Command copies prints, run by the shell in the test's folder
    // with the built grafolux-cli first on the PATH.
    std::string CopiedCommandsOutput() {
        Menu("CopyCommand");
        const QString command = QApplication::clipboard()->text();
        const ProgramRun run =
            RunProgram("sh", {"-c", "cd \"$0\" && " + command, dir.path()}, {},
                       {{"PATH", QFileInfo(GRAFOLUX_CLI).absolutePath() + ":" + qgetenv("PATH")}});
        EXPECT_EQ(run.exitCode, 0) << command.toStdString() << "\n" << run.err;
        return run.out;
    }
    // What Copy Table puts on the clipboard: "" when it copies nothing.
    std::string CopiedTable() {
        QApplication::clipboard()->clear();
        Menu("CopyTable");
        return QApplication::clipboard()->text().toStdString();
    }
    // What the built grafolux-cli prints for `args`.
    std::string CliOutput(const QStringList& args, const QByteArray& input = {}) {
        const ProgramRun run = RunProgram(GRAFOLUX_CLI, args, input);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }
    // The readout's rows, each one's cells joined by blanks.
    QStringList Rows() {
        QStringList rows;
        for (const ReadoutRow& row : Control<GraphOverlay>("GraphOverlay")->readoutRows())
            rows << row.cells.join(' ');
        return rows;
    }
};

}  // namespace grafolux
