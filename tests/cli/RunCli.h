#pragma once
// Runs the built grafolux-cli as a user would, and collects what it says; the table it prints.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "support/RunProgram.h"
#include "support/TestFiles.h"

using CliRun = ProgramRun;

inline CliRun RunCli(const QStringList& arguments, const QByteArray& input = {},
                     const std::map<QString, QString>& environment = {}) {
    return RunProgram(GRAFOLUX_CLI, arguments, input, environment);
}

// The arguments with each word that names a path (LOG, OUT, …) replaced by the path.
inline QStringList WithPaths(QStringList arguments, const std::map<QString, QString>& paths) {
    for (QString& word : arguments)
        if (paths.contains(word)) word = paths.at(word);
    return arguments;
}

inline long LineCount(const std::string& text) { return std::ranges::count(text, '\n'); }

// A run against what its row expects: success prints `said` and nothing on stderr; a failure
// prints nothing, and on stderr one line that begins "grafolux-cli: " and `said`, which the
// usage text follows when `usage`.
inline void ExpectOutcome(const CliRun& run, int exitCode, const std::string& said, bool usage,
                          const std::string& what) {
    EXPECT_EQ(run.exitCode, exitCode) << what << ": " << run.err;
    EXPECT_EQ(run.out, exitCode == 0 ? said : "") << what;
    EXPECT_TRUE(exitCode == 0 ? run.err.empty() : run.err.starts_with("grafolux-cli: " + said))
        << what << ": " << run.err;
    EXPECT_EQ(run.err.find("\nusage:") != std::string::npos, usage) << what << ": " << run.err;
    EXPECT_TRUE(exitCode == 0 || usage || LineCount(run.err) == 1) << what << ": " << run.err;
}

// The printed cell table: `empty` everywhere but in the cells given as {rpm, map} -> text.
inline std::string TableText(const std::map<std::pair<int, int>, std::string>& cells,
                             const std::string& empty = "N/A") {
    std::string text = "RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n";
    for (int rpm = 400; rpm <= 6400; rpm += 400) {
        text += std::to_string(rpm);
        for (int map = 20; map <= 100; map += 10)
            text += '\t' + (cells.contains({rpm, map}) ? cells.at({rpm, map}) : empty);
        text += '\n';
    }
    return text;
}
