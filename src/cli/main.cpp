// grafolux-cli: the log viewer's core without a window.
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "Version.h"
#include "cli/CliCommands.h"
#include "logdata/TextFields.h"

namespace {

using grafolux::cli::Command;
using grafolux::cli::CommandOutcome;
using grafolux::cli::Commands;

// Every line of TEXT after INDENT, so that one description serves both help texts.
std::string Indented(const std::string& text, const std::string& indent) {
    std::string lines = indent;
    for (const char c : text) {
        lines += c;
        if (c == '\n') lines += indent;
    }
    return lines + "\n";
}

std::string CommandUsage(const std::string& name, const Command& command) {
    std::string text =
        "usage: grafolux-cli " + name + " " + command.usage + "\n" + Indented(command.what, "  ");
    if (std::find(command.options.begin(), command.options.end(), "--define") !=
        command.options.end())
        text += "  DEF: NAME=EXPR, a computed item (see grafolux-cli --help)\n";
    return text;
}

std::string Usage() {
    std::string text = "usage: grafolux-cli COMMAND ...\n";
    for (const auto& [name, command] : Commands())
        text += "  " + name + " " + command.usage + "\n" + Indented(command.what, "      ");
    text +=
        "  COMMAND --help  that command's usage\n"
        "  COMMAND ... --no-cache\n"
        "                  parse each log, neither reading nor writing the reopen cache\n"
        "                  (also before COMMAND)\n"
        "  --help          this text\n"
        "  --version       the version\n"
        "Exit status: 0 success, 1 runtime error, 2 usage error.\n"
        "A DEF is NAME=EXPR: a computed item that later DEFs, --where, --when, --item,\n"
        "--lock and --fill may name. EXPR: items (SENSOR:MAP, \"Item 2\"), offsets\n"
        "(SENSOR:MAP[-1]), numbers, + - * /, = != < <= > >=, and or not, abs sqrt min max if;\n"
        "a value that is not a finite number is missing.\n";
    return text;
}

bool AsksForHelp(const std::vector<std::string>& words) {
    return std::any_of(words.begin(), words.end(),
                       [](const std::string& w) { return w == "--help" || w == "-h"; });
}

// Qt's own diagnostics (platform plugins, the runtime folder, the file engine) would add
// lines to a command's one-line error; GRAFOLUX_QT_MESSAGES=1 lets them through.
void SilenceQtUnlessAsked() {
    if (qEnvironmentVariableIntValue("GRAFOLUX_QT_MESSAGES") == 0)
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

}  // namespace

int main(int argc, char** argv) {
    using namespace grafolux::cli;
    SilenceQtUnlessAsked();
    std::vector<std::string> words(argv + 1, argv + argc);
    const bool noCache = std::erase(words, "--no-cache") > 0;  // wherever it is given
    if (words.empty()) {
        std::cerr << Usage();
        return 2;
    }
    if (words[0] == "--help" || words[0] == "-h") {
        std::cout << Usage();
        return 0;
    }
    if (words[0] == "--version") {
        std::cout << "grafolux-cli " << grafolux::kVersionText << "\n";
        return 0;
    }
    const auto command = Commands().find(words[0]);
    if (command == Commands().end()) {
        std::cerr << "grafolux-cli: no such command: " << grafolux::OnOneLine(words[0]) << "\n"
                  << Usage();
        return 2;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (AsksForHelp(rest)) {
        std::cout << CommandUsage(command->first, command->second);
        return 0;
    }
    CommandOutcome outcome = RunCommand(command->second, rest, noCache, [](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
    });
    if (outcome.status == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        outcome = {1, "cannot write standard output"};
    if (outcome.status == 0) return 0;
    std::cerr << "grafolux-cli: " << outcome.message << "\n";
    if (outcome.withUsage) std::cerr << CommandUsage(command->first, command->second);
    return outcome.status;
}
