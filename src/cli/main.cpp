// grafolux-cli: the log viewer's core without a window.
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>

#include "cli/CliArgs.h"

namespace {

const char kUsage[] =
    "usage: grafolux-cli COMMAND ...\n"
    "  dump LOG                                  items and samples, tab-separated\n"
    "  table blm|int LOG [--first N] [--last N]  cell means per rpm x map cell\n"
    "  correct LOG                               write LOG's bit-order corrected copy\n"
    "  gif IN.ppm OUT.gif [--transparent RRGGBB] encode a binary PPM as GIF\n"
    "  export graph|blm|int LOG OUT.gif [--item N|NAME] [--lock NAME]... [--fill NAME]...\n"
    "         [--zoom Z] [--size WxH] [--first N] [--last N]\n"
    "                                            save a view as the window draws it\n"
    "  --help                                    this text\n";

struct Command {
    std::vector<std::string> options;
    std::function<void(const grafolux::cli::CliArgs&, const grafolux::cli::Print&)> run;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace grafolux::cli;
    const std::map<std::string, Command> commands = {
        {"dump", {{}, RunDump}},
        {"table", {{"--first", "--last"}, RunTable}},
        {"correct", {{}, RunCorrect}},
        {"gif", {{"--transparent"}, RunGif}},
        {"export",
         {{"--item", "--lock", "--fill", "--zoom", "--size", "--first", "--last"}, RunExport}},
    };
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    try {
        const auto command = words.empty() ? commands.end() : commands.find(words[0]);
        if (command == commands.end()) throw UsageError("no such command");
        command->second.run(CliArgs({words.begin() + 1, words.end()}, command->second.options),
                            [](std::string_view text) {
                                std::fwrite(text.data(), 1, text.size(), stdout);
                            });
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            throw RuntimeError("cannot write standard output");
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "grafolux-cli: " << error.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "grafolux-cli: " << error.what() << "\n";
        return 1;
    }
}
