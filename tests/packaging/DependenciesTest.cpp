// Every program that the project's shell scripts, its build and its tests run comes from a
// package that scripts/install-deps.sh installs (or that every Debian system has), so that the
// README's commands work on a fresh machine.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <set>

#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace {

// Programs the build and the tests run (the compiler, CPack's dependency scan, the packaging,
// command-line and fleet tests, the diff of a golden file), beside those the scripts run.
const QStringList kRunByTheBuild = {"bash",
                                    "c++",
                                    "ccache",
                                    "dask",
                                    "desktop-file-validate",
                                    "diff",
                                    "dpkg-shlibdeps",
                                    "file",
                                    "groff",
                                    "gzip",
                                    "ninja",
                                    "sh",
                                    "unshare"};

// What must be there before install-deps.sh can run at all: its installer, and sudo for a user
// who is not root.
const std::set<std::string> kBeforeInstallDeps = {"apt-get", "sudo"};

// Shell words that run no program.
const std::set<std::string> kShellWords = {
    "!",        ".",       ":",     "[",       "[[",     "break", "case",   "cd",   "command",
    "continue", "declare", "pwd",   "unset",   "do",     "done",  "echo",   "elif", "else",
    "esac",     "eval",    "exec",  "exit",    "export", "false", "fi",     "for",  "getopts",
    "if",       "kill",    "local", "mapfile", "printf", "read",  "return", "set",  "shift",
    "source",   "test",    "then",  "time",    "trap",   "true",  "until",  "wait", "while",
};

// Reserved words, and builtins whose arguments bash reads as assignments: an alias of either
// would change how the script parses.
const std::set<std::string> kNeverMarked = {
    "case",   "coproc", "declare", "do",       "done",  "elif",  "else",  "esac",
    "export", "fi",     "for",     "function", "if",    "in",    "local", "readonly",
    "select", "then",   "time",    "typeset",  "until", "while",
};

// The programs a script runs, as bash's own parser finds them: every word of the script becomes
// an alias that marks it, bash expands an alias only where a command's name stands (in posix
// mode also inside $(...), as it reads it), and `declare -f` prints the script back with the
// marks. Quoted text, here-documents, comments, arrays, case patterns and arguments stay bare.
std::set<std::string> CommandsOf(const QString& script) {
    static const QRegularExpression word(R"([A-Za-z_][\w.+-]*)");
    std::set<QString> words;
    for (const auto& match : word.globalMatch(script)) words.insert(match.captured());
    QString aliases;
    for (const QString& w : words)
        if (!kNeverMarked.contains(w.toStdString()))
            aliases += "alias '" + w + "=__run_" + w + "'\n";
    const ProgramRun run = RunProgram(
        "bash", {"--posix", "-c", aliases + "eval \"__script() {\n$1\n}\" && declare -f __script",
                 "bash", script});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const QString marked = QString::fromStdString(run.out);
    const auto found = [&](const char* pattern) {
        std::set<std::string> words;
        const QRegularExpression expression(pattern, QRegularExpression::MultilineOption);
        for (const auto& match : expression.globalMatch(marked))
            words.insert(match.captured(1).toStdString());
        return words;
    };
    std::set<std::string> commands = found(R"(__run_([\w.+-]+))");
    // What sudo, $sudo (sudo when needed), nice and exec run: their first word after options.
    commands.merge(found(
        R"((?:__run_(?:exec|nice|sudo)|\$sudo)(?:\s+(?:-\S+|\d+))*\s+([A-Za-z_][\w.+-]*)(?![\w/]))"));
    // A program named by its path, which no alias can stand for.
    commands.merge(found(R"((?<![\w/.$])(/(?:usr/)?s?bin/[\w.+-]+))"));
    for (const std::string& function : found(R"(^\s*__run_([\w.+-]+) \(\))"))
        commands.erase(function);
    for (const std::string& builtin : kShellWords) commands.erase(builtin);
    return commands;
}

// The package that has each program, as dpkg knows it: found through links and alternatives,
// and with /bin for /usr/bin. In the system's folders only: a program of the same name installed
// by hand is no package's. "" for a program that no package has.
std::map<std::string, QString> OwnerOf(const std::set<std::string>& programs) {
    std::map<std::string, QStringList> pathsOf;
    QStringList allPaths;
    for (const std::string& program : programs) {
        const QString found =
            program[0] == '/' ? QString::fromStdString(program)
                              : QStandardPaths::findExecutable(
                                    program.c_str(), {"/usr/bin", "/bin", "/usr/sbin", "/sbin"});
        if (found.isEmpty()) continue;
        QStringList& paths = pathsOf[program];
        paths = {found, QFileInfo(found).canonicalFilePath()};
        for (const QString& path : QStringList(paths))
            if (path.startsWith("/usr/")) paths << path.mid(4);
        allPaths << paths;
    }
    // One search for all ("PACKAGE[:ARCH][, PACKAGE]: PATH" lines): each takes a while.
    std::map<QString, QString> ownerOfPath;
    const QString found =
        QString::fromStdString(RunProgram("dpkg", QStringList{"-S"} + allPaths).out);
    for (const QString& line : found.split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith("diversion by "))
            ownerOfPath[line.section(": ", 1)] =
                line.section(": ", 0, 0).section(',', 0, 0).section(':', 0, 0);
    std::map<std::string, QString> owners;
    for (const std::string& program : programs) {
        QString& owner = owners[program];
        for (const QString& path : pathsOf[program])
            if (owner.isEmpty() && ownerOfPath.contains(path)) owner = ownerOfPath[path];
    }
    return owners;
}

// Of each installed package: whether it is Essential, and what it depends on.
struct PackageFields {
    bool essential = false;
    QString depends;
};
std::map<QString, PackageFields> FieldsOf(const QStringList& packages) {
    const ProgramRun query = RunProgram(
        "dpkg-query", QStringList{"-W", "-f=${Package}\t${Essential}\t${Depends}\n"} + packages);
    std::map<QString, PackageFields> fields;
    for (const QString& line : QString::fromStdString(query.out).split('\n', Qt::SkipEmptyParts))
        fields[line.section('\t', 0, 0)] = {line.section('\t', 1, 1) == "yes",
                                            line.section('\t', 2)};
    return fields;
}

QStringList ShellScripts() {
    QStringList scripts = {".ci/run"};
    for (const char* folder : {"scripts", "bench"})
        for (const QString& name : QDir(SOURCE_DIR "/" + QString(folder)).entryList({"*.sh"}))
            scripts << QString(folder) + "/" + name;
    return scripts;
}

// What the scanner reads as commands in the forms the scripts use.
TEST(ScriptCommands, FindsTheProgramsAScriptRuns) {
    const struct {
        const char* name;
        const char* script;
        std::set<std::string> commands;
    } cases[] = {
        {"pipeline and list", "a x | b -y && c || d; e &\nf", {"a", "b", "c", "d", "e", "f"}},
        {"substitution", "x=$(dirname \"$(realpath \"$0\")\")", {"dirname", "realpath"}},
        {"quoted text runs nothing", "echo \"a; b (c) | d\" 'e; f' $'g;h'", {}},
        {"comments", "# git\na # b; c\necho $# x", {"a"}},
        {"arrays", "p=(cmake git)\np+=(\"$x\")\nm[$k]=1 n[$i]=$v a\nt=($(ls d))", {"a", "ls"}},
        {"tests", "[[ $x =~ ^[[:space:]]*(#|$) ]] && a", {"a"}},
        {"prefixes",
         "nice -n 19 a; $sudo b; sudo c; exec d; time e",
         {"nice", "a", "b", "sudo", "c", "d", "e"}},
        {"assignments and redirections", "A=1 B=2 a 2>/dev/null >&2; >f b", {"a", "b"}},
        {"own programs and variables", "scripts/x.sh; build/y; \"$b\" z; $cli", {}},
        {"functions", "f() { a; }\ng() {\n  f\n}\ng", {"a"}},
        {"case",
         "case $x in\n  n) a && z ;;\n  p | q) b || y ;;\n  *) c; exit 2 ;;\nesac\nd",
         {"a", "z", "b", "y", "c", "d"}},
        {"for list", "for p in cmake git; do a \"$p\"; done", {"a"}},
        {"arithmetic", "x=$((y + 1)); for ((i = 0; i < n; i++)); do a; done", {"a"}},
        {"conditions",
         "[ -f x ] && a; if b; then c; elif d; then e; else f; fi; until g; do h; done",
         {"a", "b", "c", "d", "e", "f", "g", "h"}},
        {"absolute path", "/usr/bin/time -f x a", {"/usr/bin/time"}},
        {"here-document", "cat <<'EOF' | a\nusage: b\nEOF\nc <<<\"$x\"", {"cat", "a", "c"}},
    };
    for (const auto& c : cases) EXPECT_EQ(CommandsOf(c.script), c.commands) << c.name;
}

TEST(InstallDeps, InstallsThePackageOfEveryProgramRun) {
    std::map<std::string, std::string> runBy;  // a script (or the build) that runs each program
    for (const QString& script : ShellScripts())
        for (const std::string& command :
             CommandsOf(QString::fromUtf8(ReadAll(SOURCE_DIR "/" + script))))
            runBy.emplace(command, script.toStdString());
    for (const QString& program : kRunByTheBuild)
        runBy.emplace(program.toStdString(), "the build or a test");
    std::set<std::string> programs;
    for (const auto& [program, by] : runBy)
        if (!kBeforeInstallDeps.contains(program)) programs.insert(program);
    const std::map<std::string, QString> owners = OwnerOf(programs);

    const ProgramRun list = RunProgram(SOURCE_DIR "/scripts/install-deps.sh", {"--list"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const QStringList listed = QString::fromStdString(list.out).split('\n', Qt::SkipEmptyParts);
    QStringList packages = listed;
    for (const auto& [program, owner] : owners) packages << owner;
    const std::map<QString, PackageFields> fields = FieldsOf(packages);
    for (const auto& [program, owner] : owners) {
        // An Essential package is on every Debian system; a package that a listed one depends on
        // (g++-12 of g++) comes with it.
        bool installed =
            listed.contains(owner) || (fields.contains(owner) && fields.at(owner).essential);
        const QRegularExpression dependency("(^|, )" + QRegularExpression::escape(owner) + "[ ,]");
        for (const QString& package : listed)
            installed = installed || (fields.contains(package) &&
                                      (fields.at(package).depends + ",").contains(dependency));
        EXPECT_TRUE(!owner.isEmpty() && installed)
            << runBy[program] << " runs " << program
            << (owner.isEmpty() ? ", which no package here has" : " of " + owner.toStdString())
            << ": install-deps.sh must install its package";
    }
}

}  // namespace
