// What `cmake --install` and the Debian package put on a system: the files, the desktop entry,
// and man pages and bash completion that keep up with the programs' help texts.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "support/RunProgram.h"

namespace {

// Relative to the prefix.
const QStringList kInstalledFiles = {
    "bin/grafolux",
    "bin/grafolux-cli",
    "lib/python3/dist-packages/grafolux/__init__.py",
    "lib/python3/dist-packages/grafolux/" PYTHON_MODULE,
    "lib/python3/dist-packages/grafolux/fleet.py",
    "share/applications/grafolux.desktop",
    "share/bash-completion/completions/grafolux-cli",
    "share/icons/hicolor/128x128/apps/grafolux.png",
    "share/icons/hicolor/16x16/apps/grafolux.png",
    "share/icons/hicolor/256x256/apps/grafolux.png",
    "share/icons/hicolor/32x32/apps/grafolux.png",
    "share/icons/hicolor/48x48/apps/grafolux.png",
    "share/icons/hicolor/64x64/apps/grafolux.png",
    "share/icons/hicolor/scalable/apps/grafolux.svg",
    "share/man/man1/grafolux-cli.1.gz",
    "share/man/man1/grafolux.1.gz",
};

// What a program printed on standard output.
QString Out(const ProgramRun& run) { return QString::fromStdString(run.out); }

QStringList FilesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Every option a help text lists: --first, -h, …, wherever they stand.
QSet<QString> OptionsIn(const QString& help) {
    static const QRegularExpression option(R"((?:^|[\s\[|,])(--?[A-Za-z][\w-]*))");
    QSet<QString> options;
    for (const auto& match : option.globalMatch(help)) options << match.captured(1);
    return options;
}

// "a b c": sets compared in words that a failure prints readably.
std::string Words(const QSet<QString>& set) {
    QStringList words(set.begin(), set.end());
    words.sort();
    return words.join(' ').toStdString();
}

QSet<QString> LongOptions(const QSet<QString>& options) {
    QSet<QString> long_;
    for (const QString& option : options)
        if (option.startsWith("--")) long_ << option;
    return long_;
}

// Man page source as it reads: escaped hyphens and font changes removed.
QString ManText(const QString& gzipped) {
    QString text = Out(RunProgram("gzip", {"-dc", gzipped}));
    static const QRegularExpression fonts(R"(\\f(\[\w*\]|\w))");
    return text.remove(fonts).replace("\\-", "-").remove("\\&").remove("\\%");
}

class Installed : public testing::Test {
protected:
    static inline QTemporaryDir* destDir = nullptr;

    static void SetUpTestSuite() {
        destDir = new QTemporaryDir;
        const ProgramRun install =
            RunProgram(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", "/usr/local"}, {},
                       {{"DESTDIR", destDir->path()}});
        ASSERT_EQ(install.exitCode, 0) << install.err;
    }
    static void TearDownTestSuite() { delete destDir; }

    static QString Root() { return destDir->path() + "/usr/local"; }
    static QString Path(const QString& relative) { return Root() + "/" + relative; }

    // What the installed programs' help texts list.
    struct Help {
        QString cli;                                      // grafolux-cli --help
        std::map<QString, QSet<QString>> commandOptions;  // of grafolux-cli COMMAND --help
        QSet<QString> windowOptions;                      // of grafolux --help
    };
    static Help HelpTexts() {
        Help help;
        const ProgramRun cli = RunProgram(Path("bin/grafolux-cli"), {"--help"});
        EXPECT_EQ(cli.exitCode, 0) << "grafolux-cli --help: " << cli.err;
        help.cli = Out(cli);
        // Commands are the first words of the lines indented by two spaces.
        static const QRegularExpression command(R"(^  ([a-z][\w-]*))",
                                                QRegularExpression::MultilineOption);
        for (const auto& match : command.globalMatch(help.cli)) {
            const QString name = match.captured(1);
            const ProgramRun commandHelp = RunProgram(Path("bin/grafolux-cli"), {name, "--help"});
            EXPECT_EQ(commandHelp.exitCode, 0)
                << "grafolux-cli " << name.toStdString() << " --help: " << commandHelp.err;
            help.commandOptions[name] = OptionsIn(Out(commandHelp));
        }
        const ProgramRun window = RunProgram(Path("bin/grafolux"), {"--help"});
        EXPECT_EQ(window.exitCode, 0) << "grafolux --help: " << window.err;
        help.windowOptions = OptionsIn(Out(window));
        EXPECT_FALSE(help.commandOptions.empty() || help.windowOptions.isEmpty());
        return help;
    }

    // What bash completion offers for a command line typed up to its end.
    static QStringList Complete(const QString& line, const QString& folder = ".") {
        const char* script = R"(source "$0"; cd "$1"; shift
            function=$(complete -p grafolux-cli | sed -E 's/.* -F ([^ ]+) .*/\1/')
            COMP_WORDS=("$@") COMP_CWORD=$(($# - 1))
            "$function"
            printf '%s\n' "${COMPREPLY[@]}")";
        const ProgramRun run = RunProgram(
            "bash", QStringList{"-c", script,
                                Path("share/bash-completion/completions/grafolux-cli"), folder} +
                        line.split(' '));
        EXPECT_EQ(run.err, "") << line.toStdString();
        QStringList offered = Out(run).split('\n', Qt::SkipEmptyParts);
        offered.sort();
        return offered;
    }
};

TEST_F(Installed, PutsEveryFileInItsPlaceWithItsMode) {
    EXPECT_EQ(FilesUnder(Root()), kInstalledFiles);
    for (const QString& file : kInstalledFiles) {
        const bool program = file.startsWith("bin/");
        EXPECT_EQ(QFileInfo(Path(file)).isExecutable(), program) << file.toStdString();
    }
}

// Debian's python3 finds the package where the Debian package puts it, with its module.
TEST_F(Installed, PythonPackageImportsFromDebiansPythonPath) {
    const ProgramRun run =
        RunProgram(PYTHON_EXECUTABLE,
                   {"-c", "import grafolux, grafolux.fleet; print(grafolux._grafolux.__file__)"},
                   {}, {{"PYTHONPATH", Path("lib/python3/dist-packages")}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Out(run).trimmed(), Path("lib/python3/dist-packages/grafolux/" PYTHON_MODULE));
}

TEST_F(Installed, DesktopEntryValidatesAndNamesTheInstalledProgramAndIcon) {
    const QString entry = Path("share/applications/grafolux.desktop");
    const ProgramRun validate = RunProgram("desktop-file-validate", {entry});
    EXPECT_EQ(validate.exitCode, 0) << validate.out << validate.err;
    EXPECT_EQ(validate.out, "");

    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::map<QString, QString> keys;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
        keys[line.section('=', 0, 0)] = line.section('=', 1);
    EXPECT_EQ(keys["Exec"], "grafolux %f");
    EXPECT_TRUE(QFileInfo(Path("bin/" + keys["Exec"].section(' ', 0, 0))).isExecutable());
    EXPECT_TRUE(QFile::exists(Path("share/icons/hicolor/scalable/apps/" + keys["Icon"] + ".svg")));
    EXPECT_EQ(keys["MimeType"], "text/tab-separated-values;text/plain;");
}

TEST_F(Installed, ManPagesAreCleanRoffAndMentionEveryCommandAndOptionOfTheHelp) {
    const Help help = HelpTexts();
    QSet<QString> cliWords = OptionsIn(help.cli);
    for (const auto& [command, options] : help.commandOptions) {
        cliWords += options;
        cliWords << command;
    }
    const std::pair<QString, QSet<QString>> pages[] = {
        {"grafolux-cli.1.gz", cliWords},
        {"grafolux.1.gz", help.windowOptions},
    };
    for (const auto& [page, words] : pages) {
        const QString path = Path("share/man/man1/" + page);
        const ProgramRun lint =
            RunProgram("sh", {"-c", "gzip -dc \"$0\" | groff -man -ww -z", path});
        EXPECT_EQ(lint.exitCode, 0) << page.toStdString() << ": " << lint.err;
        EXPECT_EQ(lint.err, "") << page.toStdString();
        const QString text = ManText(path);
        for (const QString& word : words) {
            const QRegularExpression mention("(?<![\\w-])" + QRegularExpression::escape(word) +
                                             "(?![\\w-])");
            EXPECT_TRUE(text.contains(mention))
                << page.toStdString() << " does not mention " << word.toStdString();
        }
    }
}

// The long options on the lines of the tool's usage that begin with `start`.
QSet<QString> OptionsOnLines(const QString& usage, const QString& start) {
    const QRegularExpression line("^\\s+" + start + ".*$", QRegularExpression::MultilineOption);
    QSet<QString> options;
    for (const auto& match : line.globalMatch(usage))
        options += LongOptions(OptionsIn(match.captured()));
    return options;
}

TEST_F(Installed, CompletionOffersEveryCommandAndExactlyTheOptionsEachCommandLists) {
    const Help help = HelpTexts();
    // The tool's own options stand on lines of their own, and those on the "COMMAND --help"
    // line go with every command.
    QSet<QString> expected = OptionsOnLines(help.cli, "-");
    for (const auto& [command, options] : help.commandOptions) expected << command;
    const QStringList top = Complete("grafolux-cli ");
    EXPECT_EQ(Words({top.begin(), top.end()}), Words(expected));

    const QSet<QString> everyCommand = OptionsOnLines(help.cli, "COMMAND\\s");
    for (const auto& [command, options] : help.commandOptions) {
        const QStringList offered = Complete("grafolux-cli " + command + " --");
        EXPECT_EQ(Words({offered.begin(), offered.end()}),
                  Words(LongOptions(options) + everyCommand))
            << command.toStdString();
    }
}

TEST_F(Installed, CompletionOffersKindsAndFilesButNotForAnOptionsValue) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("logs");
    QFile(dir.filePath("run 1.txt")).open(QIODevice::WriteOnly);
    const QStringList files = {"logs", "run 1.txt"};
    const std::pair<QString, QStringList> cases[] = {
        {"grafolux-cli ta", {"table"}},
        {"grafolux-cli table ", {"blm", "int"}},
        {"grafolux-cli export b", {"blm"}},
        {"grafolux-cli export ", {"blm", "graph", "int", "scatter"}},
        {"grafolux-cli export graph ", files},
        {"grafolux-cli export graph run", {"run 1.txt"}},
        {"grafolux-cli export graph log.txt --item ", {}},
        {"grafolux-cli table blm --last ", {}},
        {"grafolux-cli table blm --include ", files},
        {"grafolux-cli table --include run.txt ", {"blm", "int"}},
        {"grafolux-cli table blm log.txt --show m", {"max", "mean", "min"}},
        {"grafolux-cli table blm log.txt --format ", {"csv", "text"}},
        {"grafolux-cli cells ", {"blm", "int"}},
        {"grafolux-cli cells int --row 800 ", files},
        {"grafolux-cli dump ", files},
        {"grafolux-cli gif --transparent ff00ff ", files},
        {"grafolux-cli find ", files},
        {"grafolux-cli find log.txt --when ", {}},
        {"grafolux-cli dump log.txt --define ", {}},
        {"grafolux-cli retune log.txt --map ", files},
        {"grafolux-cli retune log.txt --show ", {"change", "factor", "map", "weight"}},
        {"grafolux-cli retune log.txt --cells n", {"nearest"}},
        {"grafolux-cli retune log.txt --min-weight ", {}},
        {"grafolux-cli plot ", {}},
    };
    for (const auto& [line, offered] : cases)
        EXPECT_EQ(Complete(line, dir.path()), offered) << line.toStdString();
}

TEST(DebianPackage, CarriesTheControlFieldsAndTheInstalledFiles) {
    QTemporaryDir dir;
    const ProgramRun cpack =
        RunProgram(CPACK_COMMAND, {"--config", BUILD_DIR "/CPackConfig.cmake", "-B", dir.path()});
    ASSERT_EQ(cpack.exitCode, 0) << cpack.out << cpack.err;
    const QString deb = dir.filePath("grafolux_" PROJECT_VERSION "_amd64.deb");
    ASSERT_TRUE(QFile::exists(deb)) << cpack.out;

    const std::pair<const char*, QString> fields[] = {
        {"Package", "grafolux"},
        {"Version", PROJECT_VERSION},
        {"Architecture", "amd64"},
    };
    for (const auto& [field, value] : fields)
        EXPECT_EQ(Out(RunProgram("dpkg-deb", {"--field", deb, field})).trimmed(), value) << field;
    const QString depends = Out(RunProgram("dpkg-deb", {"--field", deb, "Depends"}));
    for (const char* package : {"libqt6widgets6", "libqt6gui6", "libc6", "fonts-liberation"})
        EXPECT_TRUE(depends.contains(package)) << package << " in " << depends.toStdString();
    // The icon's SVG is drawn at build time; the programs do without Qt's SVG module.
    EXPECT_FALSE(depends.contains("svg")) << depends.toStdString();
    EXPECT_TRUE(Out(RunProgram("dpkg-deb", {"--field", deb, "Maintainer"}))
                    .contains(QRegularExpression(R"(^\S.* <\S+@\S+>$)",
                                                 QRegularExpression::MultilineOption)));
    EXPECT_GT(Out(RunProgram("dpkg-deb", {"--field", deb, "Description"})).count('\n'), 2);

    QStringList contents;
    for (const QString& line : Out(RunProgram("dpkg-deb", {"--contents", deb})).split('\n'))
        if (line.startsWith('-')) contents << line.section(' ', -1).mid(QString("./usr/").size());
    contents.sort();
    EXPECT_EQ(contents, kInstalledFiles);
}

// The keys of `from` that `into` lacks, added to it.
void AddMissing(QJsonObject& into, const QJsonObject& from) {
    for (auto it = from.begin(); it != from.end(); ++it)
        if (!into.contains(it.key())) into[it.key()] = *it;
}

// A configure preset of CMakePresets.json with what it inherits, nearest first.
QJsonObject Preset(const QJsonArray& presets, const QString& name) {
    for (const QJsonValue& value : presets) {
        QJsonObject preset = value.toObject();
        if (preset["name"].toString() != name) continue;
        if (preset.contains("inherits")) {  // one preset's name: this file names no list
            const QJsonObject base = Preset(presets, preset.take("inherits").toString());
            QJsonObject cache = preset["cacheVariables"].toObject();
            AddMissing(cache, base["cacheVariables"].toObject());
            AddMissing(preset, base);
            preset["cacheVariables"] = cache;
        }
        return preset;
    }
    ADD_FAILURE() << "no preset " << name.toStdString();
    return {};
}

// The package is compiled exactly as the test command's default build, whose programs every
// test ran: the two presets differ in their folder, -Werror and the tests alone.
TEST(PackagePreset, BuildsWithTheFlagsOfTheTestedBuild) {
    QFile file(SOURCE_DIR "/CMakePresets.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray presets =
        QJsonDocument::fromJson(file.readAll())["configurePresets"].toArray();
    QJsonObject package = Preset(presets, "package"), tested = Preset(presets, "default");
    for (const char* key : {"name", "displayName", "description", "binaryDir", "hidden"}) {
        package.remove(key);
        tested.remove(key);
    }
    QJsonObject packageCache = package.take("cacheVariables").toObject();
    QJsonObject testedCache = tested.take("cacheVariables").toObject();
    EXPECT_EQ(testedCache.take("GRAFOLUX_WERROR").toString(), "ON");
    EXPECT_EQ(packageCache.take("GRAFOLUX_WERROR").toString("OFF"), "OFF");
    EXPECT_EQ(packageCache.take("GRAFOLUX_BUILD_TESTS").toString(), "OFF");
    testedCache.remove("GRAFOLUX_BUILD_TESTS");
    testedCache.remove("GRAFOLUX_PACKAGING_TESTS");
    const auto text = [](const QJsonObject& object) {
        return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
    };
    EXPECT_EQ(text(packageCache), text(testedCache));
    EXPECT_EQ(text(package), text(tested));  // generator, environment, everything else
    EXPECT_NE(testedCache["CMAKE_BUILD_TYPE"].toString(), "") << text(testedCache);
}

}  // namespace
