// Every program that the project's shell scripts, its build and its tests run comes from a
// package that scripts/install-deps.sh installs (or that every Debian system has), so that the
// README's commands work on a fresh machine.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <map>
#include <set>
#include <string>

#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace {

// The programs run, and the package of each. An empty package: what must be there before
// install-deps.sh can run at all.
const std::map<std::string, std::string> kPackageOf = {
    // Called by the scripts.
    {"/usr/bin/time", "time"},
    {"Xvfb", "xvfb"},
    {"apt-get", ""},  // install-deps.sh's own installer
    {"awk", "mawk"},
    {"basename", "coreutils"},
    {"cat", "coreutils"},
    {"chmod", "coreutils"},
    {"clang-format", "clang-format"},
    {"cmp", "diffutils"},
    {"cmake", "cmake"},
    {"cp", "coreutils"},
    {"cpack", "cmake"},
    {"ctest", "cmake"},
    {"cut", "coreutils"},
    {"date", "coreutils"},
    {"dirname", "coreutils"},
    {"dpkg-deb", "dpkg"},
    {"dpkg-query", "dpkg"},
    {"env", "coreutils"},
    {"find", "findutils"},
    {"git", "git"},
    {"grep", "grep"},
    {"head", "coreutils"},
    {"id", "coreutils"},
    {"ls", "coreutils"},
    {"mkdir", "coreutils"},
    {"mktemp", "coreutils"},
    {"mv", "coreutils"},
    {"nice", "coreutils"},
    {"paste", "coreutils"},
    {"perl", "perl-base"},
    {"prlimit", "util-linux"},
    {"python3", "python3-minimal"},
    {"realpath", "coreutils"},
    {"rm", "coreutils"},
    {"sed", "sed"},
    {"seq", "coreutils"},
    {"sleep", "coreutils"},
    {"sort", "coreutils"},
    {"stat", "coreutils"},
    {"sudo", ""},  // only for a user who is not root, who needs it to install anything
    {"tail", "coreutils"},
    {"touch", "coreutils"},
    {"tr", "coreutils"},
    {"wc", "coreutils"},
    {"xdotool", "xdotool"},
    {"yes", "coreutils"},
    // Run by the build (CPack's dependency scan: file, dpkg-shlibdeps) and by the tests.
    {"bash", "bash"},
    {"c++", "g++"},
    {"ccache", "ccache"},
    {"desktop-file-validate", "desktop-file-utils"},
    {"dpkg-shlibdeps", "dpkg-dev"},
    {"file", "file"},
    {"groff", "groff-base"},
    {"gzip", "gzip"},
    {"ninja", "ninja-build"},
    {"sh", "dash"},
    {"unshare", "util-linux"},
};

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

// Of each installed package: whether it is Essential, and what it depends on.
struct PackageFields {
    bool essential = false;
    QString depends;
};
std::map<std::string, PackageFields> InstalledPackages() {
    QStringList packages;
    for (const auto& [command, package] : kPackageOf)
        if (!package.empty()) packages << QString::fromStdString(package);
    packages.removeDuplicates();
    const ProgramRun query = RunProgram(
        "dpkg-query", QStringList{"-W", "-f=${Package}\t${Essential}\t${Depends}\n"} + packages);
    std::map<std::string, PackageFields> fields;
    for (const QString& line : QString::fromStdString(query.out).split('\n', Qt::SkipEmptyParts))
        fields[line.section('\t', 0, 0).toStdString()] = {line.section('\t', 1, 1) == "yes",
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

TEST(InstallDeps, ListsThePackageOfEveryProgramTheScriptsRun) {
    for (const QString& script : ShellScripts())
        for (const std::string& command :
             CommandsOf(QString::fromUtf8(ReadAll(SOURCE_DIR "/" + script))))
            EXPECT_TRUE(kPackageOf.contains(command))
                << script.toStdString() << " runs " << command
                << ": add it and its package to kPackageOf, and the package to install-deps.sh";

    const ProgramRun list = RunProgram(SOURCE_DIR "/scripts/install-deps.sh", {"--list"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const QStringList listed = QString::fromStdString(list.out).split('\n', Qt::SkipEmptyParts);
    const std::map<std::string, PackageFields> installed = InstalledPackages();
    for (const auto& [command, package] : kPackageOf) {
        // Essential packages are on every Debian system and cannot be left out.
        if (package.empty() || (installed.contains(package) && installed.at(package).essential))
            continue;
        EXPECT_TRUE(listed.contains(QString::fromStdString(package)))
            << command << " comes from " << package << ", which install-deps.sh does not list";
    }
}

// The table says truly which package brings each program (where this machine has it).
TEST(InstallDeps, EachProgramComesFromItsPackage) {
    // Each program's paths: as found, through links and alternatives, and with /bin for
    // /usr/bin as dpkg may know it.
    std::map<std::string, QStringList> pathsOf;
    QStringList allPaths;
    for (const auto& [command, package] : kPackageOf) {
        if (package.empty()) continue;
        // The system's own folders first: a program of the same name installed by hand
        // elsewhere on the PATH belongs to no package.
        const QString found =
            command[0] == '/' ? QString::fromStdString(command)
                              : QStandardPaths::findExecutable(
                                    command.c_str(), {"/usr/bin", "/bin", "/usr/sbin", "/sbin"});
        if (found.isEmpty()) continue;
        QStringList& paths = pathsOf[command];
        paths = {found, QFileInfo(found).canonicalFilePath()};
        for (const QString& path : QStringList(paths))
            if (path.startsWith("/usr/")) paths << path.mid(4);
        allPaths << paths;
    }
    const std::map<std::string, PackageFields> installed = InstalledPackages();
    // One search for all ("PACKAGE[:ARCH][, PACKAGE]: PATH" lines): each takes a while.
    std::map<QString, QString> ownerOf;
    const QString found =
        QString::fromStdString(RunProgram("dpkg", QStringList{"-S"} + allPaths).out);
    for (const QString& line : found.split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith("diversion by "))
            ownerOf[line.section(": ", 1)] =
                line.section(": ", 0, 0).section(',', 0, 0).section(':', 0, 0);

    for (const auto& [command, paths] : pathsOf) {
        const std::string& package = kPackageOf.at(command);
        QString owner;
        for (const QString& path : paths)
            if (owner.isEmpty() && ownerOf.contains(path)) owner = ownerOf[path];
        // A package that depends on the versioned one (g++ on g++-12) brings it too.
        const QString depends = installed.contains(package) ? installed.at(package).depends : "";
        const QRegularExpression dependency("(^|, )" + QRegularExpression::escape(owner) + "[ ,]");
        EXPECT_TRUE(owner == package.c_str() ||
                    (!owner.isEmpty() && (depends + ",").contains(dependency)))
            << command << " comes from " << owner.toStdString() << ", not " << package;
    }
}

}  // namespace
