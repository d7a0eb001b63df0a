#pragma once
// The commands of grafolux-cli: their usage, their options and what runs them, for the program
// and for the Python package, which runs them in its own process.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/CliArgs.h"

namespace grafolux::cli {

struct Command {
    const char* usage;  // the arguments after the command name
    const char* what;   // lines without their indent
    std::vector<std::string> options;
    std::function<void(const CliArgs&, const Print&)> run;
};

const std::map<std::string, Command>& Commands();

// How logs are opened: through the reopen cache unless `bypass`, within the window's limit for
// the cache's folder unless GRAFOLUX_CACHE_LIMIT says otherwise.
CacheChoices ChosenCache(bool bypass);

// Runs `command` over `words` (those after its name) as grafolux-cli runs it, printing through
// `print`: the exit status (0, 1 for a runtime error, 2 for a usage error) and, unless 0, the
// error's one line without the program's name, and whether the usage text should follow it.
struct CommandOutcome {
    int status = 0;
    std::string message;
    bool withUsage = false;
};
CommandOutcome RunCommand(const Command& command, std::vector<std::string> words, bool noCache,
                          const Print& print);

}  // namespace grafolux::cli
