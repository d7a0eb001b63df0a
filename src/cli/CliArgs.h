#pragma once
// Argument handling shared by the grafolux-cli commands.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace grafolux::cli {

// Exit 2 with the usage text.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Exit 1 with "grafolux-cli: <what>".
struct RuntimeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The words after the command name. Every option takes a value, so "--first -3" is the
// option --first with the value -3.
class CliArgs {
public:
    CliArgs(std::vector<std::string> words, const std::vector<std::string>& knownOptions);

    const std::vector<std::string>& positional() const { return positional_; }
    // The positional words must number exactly `count`.
    void expectPositional(size_t count) const;
    std::optional<std::string> option(const std::string& name) const;  // the last given
    std::vector<std::string> options(const std::string& name) const;   // every one, in order

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> options_;
};

// Each command returns what it prints on standard output; it throws on failure.
std::string RunDump(const CliArgs& args);
std::string RunTable(const CliArgs& args);
std::string RunCorrect(const CliArgs& args);
std::string RunGif(const CliArgs& args);
std::string RunExport(const CliArgs& args);

}  // namespace grafolux::cli
