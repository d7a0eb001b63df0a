// Every program that the project's shell scripts, its build and its tests run comes from a
// package that scripts/install-deps.sh installs (or that every Debian system has), so that the
// README's commands work on a fresh machine.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/RunProgram.h"

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

// Words after which the next word is again a command: `sudo CMD`, `nice -n 19 CMD`.
const std::set<std::string> kRunsTheNextWord = {"exec", "nice", "sudo", "time", "!"};

// The script's code with its quoted text and expansions reduced to a `Q`, command
// substitutions kept (in parentheses), comments and arrays' elements removed.
std::string Code(const std::string& s, size_t& i, char until) {
    std::string code;
    std::string hereDocument;  // the delimiter of a here-document that starts on the next line
    const auto skipPast = [&](char close) {
        while (i < s.size() && s[i] != close) i += s[i] == '\\' ? 2 : 1;
        ++i;
    };
    const auto skipBalanced = [&](char open, char close) {
        for (int depth = 0; i < s.size(); ++i) {
            depth += (s[i] == open) - (s[i] == close);
            if (depth == 0) break;
        }
        ++i;
    };
    while (i < s.size() && s[i] != until) {
        const char c = s[i];
        const std::string_view rest = std::string_view(s).substr(i);
        if (c == '\\') {
            code += ' ';
            i += 2;
        } else if (c == '\'' || rest.starts_with("$'")) {
            i += c == '\'' ? 1 : 2;
            skipPast('\'');
            code += 'Q';
        } else if (c == '"') {
            ++i;
            code += 'Q';
            while (i < s.size() && s[i] != '"') {
                if (std::string_view(s).substr(i).starts_with("$((")) {
                    skipBalanced('(', ')');
                } else if (std::string_view(s).substr(i).starts_with("$(")) {
                    i += 2;
                    code += " ( " + Code(s, i, ')') + " ) Q";
                    ++i;
                } else {
                    i += s[i] == '\\' ? 2 : 1;
                }
            }
            ++i;
        } else if (rest.starts_with("$((") || rest.starts_with("((")) {
            i += c == '$';
            skipBalanced('(', ')');
            code += 'Q';
        } else if (rest.starts_with("$(")) {
            i += 2;
            code += " ( " + Code(s, i, ')') + " ) ";
            ++i;
        } else if (rest.starts_with("${")) {
            ++i;
            skipBalanced('{', '}');
            code += 'Q';
        } else if (rest.starts_with("[[")) {      // a test's words are no commands
            const size_t end = s.find(" ]]", i);  // not the end of a [[:class:]]
            i = end == std::string::npos ? s.size() : end + 3;
            code += "[[ Q ]]";
        } else if (rest.starts_with("<<<")) {  // a here-string: its word follows
            code += "<<<";
            i += 3;
        } else if (rest.starts_with("<<")) {
            // A here-document: its lines, from the next line on, are text.
            i += rest.starts_with("<<-") ? 3 : 2;
            while (i < s.size() && (s[i] == ' ' || s[i] == '\'' || s[i] == '"')) ++i;
            hereDocument.clear();
            while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_'))
                hereDocument += s[i++];
            while (i < s.size() && (s[i] == '\'' || s[i] == '"')) ++i;
        } else if (c == '\n' && !hereDocument.empty()) {
            const size_t end = s.find("\n" + hereDocument + "\n", i);
            i = end == std::string::npos ? s.size() : end + hereDocument.size() + 1;
            hereDocument.clear();
        } else if (rest.starts_with("=(")) {  // an array's elements are no commands
            ++i;
            skipBalanced('(', ')');
            code += "=Q";
        } else if (c == '#' &&
                   (code.empty() || std::isspace(static_cast<unsigned char>(code.back())) ||
                    code.back() == ';')) {
            skipPast('\n');
            code += '\n';
        } else {
            code += c;
            ++i;
        }
    }
    return code;
}

// The script's words and separators: ";" for a line end, ; | & && || ( and {; ";;", ")" and "}".
std::vector<std::string> Tokens(const std::string& code) {
    std::vector<std::string> tokens;
    std::string word;
    const auto flush = [&] {
        if (!word.empty()) tokens.push_back(word);
        word.clear();
    };
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        const bool redirected =
            c == '&' && !word.empty() && (word.back() == '>' || word.back() == '<');
        if (std::string_view("\n;|&(){}").find(c) != std::string_view::npos && !redirected) {
            flush();
            const bool doubled = i + 1 < code.size() && code[i + 1] == c;
            tokens.push_back(c == ')' || c == '}'  ? std::string(1, c)
                             : doubled && c == ';' ? ";;"
                                                   : ";");
            if (doubled && (c == ';' || c == '&' || c == '|')) ++i;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            flush();
        } else {
            word += c;
        }
    }
    flush();
    return tokens;
}

// NAME=, NAME+= or NAME[INDEX]= with any index.
bool IsAssignment(const std::string& w) {
    size_t name =
        w.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_");
    if (name != std::string::npos && w[name] == '[') name = w.find(']', name) + 1;
    if (name != std::string::npos && name < w.size() && w[name] == '+') ++name;
    return std::isalpha(static_cast<unsigned char>(w[0])) && name != std::string::npos &&
           name < w.size() && w[name] == '=';
}

// The words a script runs as commands, its functions' names left out.
std::set<std::string> CommandsOf(const std::string& script) {
    // Words after which a command follows.
    static const std::set<std::string> kKeywords = {"if",    "then",  "else", "elif", "do",
                                                    "while", "until", "fi",   "done", "esac"};
    size_t at = 0;
    const std::vector<std::string> tokens = Tokens(Code(script, at, '\0'));
    std::set<std::string> commands, functions;
    bool commandPosition = true, casePattern = false, forList = false;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const std::string& w = tokens[t];
        const std::string next = t + 1 < tokens.size() ? tokens[t + 1] : "";
        if (w == ";;") {  // a case's pattern follows
            casePattern = true;
        } else if (w == "esac") {
            casePattern = false;
            commandPosition = false;
        } else if (casePattern) {
            commandPosition = w == ")";
            casePattern = w != ")";
        } else if (w == ";") {
            commandPosition = true;
            forList = false;
        } else if (w == ")" || w == "}" || forList || !commandPosition) {
        } else if (IsAssignment(w)) {
        } else if (std::isdigit(static_cast<unsigned char>(w[0])) || w[0] == '>' || w[0] == '<') {
            if (w.back() == '>' || w.back() == '<') ++t;  // the target stands apart
        } else if (next == ";" && t + 2 < tokens.size() && tokens[t + 2] == ")") {
            functions.insert(w);  // NAME() {
            t += 2;
        } else if (w == "case") {
            while (t < tokens.size() && tokens[t] != "in") ++t;
            casePattern = true;
        } else if (w == "for") {
            forList = true;
        } else if (kRunsTheNextWord.contains(w) || w == "$sudo") {
            while (t + 1 < tokens.size() &&
                   (tokens[t + 1][0] == '-' ||
                    std::isdigit(static_cast<unsigned char>(tokens[t + 1][0]))))
                ++t;
            commands.insert(w);
        } else {
            commandPosition = kKeywords.contains(w);
            // Quoted or expanded words and the project's own programs are no package's.
            const bool own = w.find('/') != std::string::npos && w[0] != '/';
            if (w[0] != 'Q' && w[0] != '$' && !own) commands.insert(w);
        }
    }
    for (const std::string& f : functions) commands.erase(f);
    for (const std::string& s : kShellWords) commands.erase(s);
    commands.erase("$sudo");
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

std::string ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
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
        {"arrays", "p=(cmake git)\np+=(\"$x\")\nm[$k]=1 n[$i]=$v a", {"a"}},
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
        for (const std::string& command : CommandsOf(ReadText(SOURCE_DIR "/" + script)))
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
