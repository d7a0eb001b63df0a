// The Python package's native part: grafolux-cli's commands run in the caller's process, a log's
// columns read straight into numpy arrays, and partials merged from bytes in memory. Each call
// answers (status, …, message) as grafolux-cli's exit status and error line; the package raises.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <variant>

#include "cli/CliCommands.h"
#include "cli/CliResults.h"
#include "partial/PartialFile.h"
#include "partial/PartialText.h"

namespace py = pybind11;
using namespace grafolux;
using namespace grafolux::cli;

namespace {

py::tuple Answer(const CommandOutcome& outcome, py::object value) {
    return py::make_tuple(outcome.status, std::move(value), py::bytes(outcome.message));
}

// (status, the printed bytes, message).
py::tuple Run(const std::string& name, std::vector<std::string> words, bool noCache) {
    const auto command = Commands().find(name);
    if (command == Commands().end()) throw py::value_error("no such command: " + name);
    std::string out;
    CommandOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        outcome = RunCommand(command->second, std::move(words), noCache,
                             [&](std::string_view text) { out += text; });
    }
    return Answer(outcome, py::bytes(outcome.status == 0 ? out : std::string()));
}

// A partial given as its bytes or as the path of its file.
struct PartialSource {
    bool inMemory;
    std::string bytesOrPath;
};

// (status, the printed bytes, message): merge's output over `sources`, `words` being its options.
py::tuple Merge(const py::list& parts, std::vector<std::string> words, bool noCache) {
    std::vector<PartialSource> sources;
    for (const py::handle part : parts)
        sources.push_back({py::isinstance<py::bytes>(part), part.cast<std::string>()});
    // Bytes are named by their place in the list, as "partial 3".
    const auto read = [&](size_t i) {
        const std::string name = "partial " + std::to_string(i + 1);
        if (!sources[i].inMemory)
            return std::pair(sources[i].bytesOrPath, ReadPartialFile(sources[i].bytesOrPath));
        auto partial = ReadPartialBytes(sources[i].bytesOrPath);
        if (auto* fault = std::get_if<std::string>(&partial)) *fault = name + ": " + *fault;
        return std::pair(name, std::move(partial));
    };
    const auto merge = [&] {
        if (sources.empty()) throw UsageError("no partial to merge", false);
        auto [firstName, first] = read(0);
        if (auto* fault = std::get_if<std::string>(&first)) throw RuntimeError(*fault);
        Partial merged = std::get<Partial>(std::move(first));
        for (size_t i = 1; i < sources.size(); ++i) {
            auto [name, more] = read(i);
            if (auto* fault = std::get_if<std::string>(&more)) throw RuntimeError(*fault);
            if (auto fault = MergeNamedPartial(merged, firstName, std::get<Partial>(more), name))
                throw RuntimeError(*fault);
        }
        return merged;
    };
    Command command = Commands().at("merge");
    command.run = [&](const CliArgs& args, const Print& print) {
        if (!args.positional().empty()) throw UsageError("partials are given as a list", false);
        MergedOutput(args, merge, print);
    };
    std::string out;
    CommandOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        outcome = RunCommand(command, std::move(words), noCache,
                             [&](std::string_view text) { out += text; });
    }
    return Answer(outcome, py::bytes(outcome.status == 0 ? out : std::string()));
}

// (status, (names, columns), message): the log's items (its own, then the `--define` words' ones)
// and a float64 array of samples by items read from the column store: the values dump prints,
// missing ones NaN.
py::tuple ReadLog(const std::string& path, std::vector<std::string> words, bool noCache) {
    LogData log;
    Command command{"", "", {"--define"}, [&](const CliArgs& args, const Print&) {
                        args.expectPositional(0);
                        const std::vector<Definition> definitions = DefineArgs(args, "dump");
                        log = LoadLogOrThrow(args, path);
                        AttachDefinitions(log, path, definitions);
                    }};
    CommandOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        outcome = RunCommand(command, std::move(words), noCache, [](std::string_view) {});
    }
    // One array, a column after another, which pandas takes without a copy.
    const auto samples = static_cast<py::ssize_t>(log.lngSampleCount);
    const auto items = static_cast<py::ssize_t>(outcome.status == 0 ? log.lngItemCount : 0);
    py::array_t<double, py::array::f_style> columns({samples, items});
    py::list names;
    double* into = columns.mutable_data();
    for (int32_t k = 1; k <= items; ++k) names.append(py::bytes(log.udtItems[k].strName));
    {
        py::gil_scoped_release unlocked;
        for (int32_t k = 1; k <= items; ++k)
            log.column(k).Read(0, log.lngSampleCount, into + (k - 1) * samples);
    }
    return Answer(outcome, py::make_tuple(names, columns));
}

}  // namespace

PYBIND11_MODULE(_grafolux, module) {
    module.doc() = "grafolux-cli's core, for the grafolux package";
    module.def("run", &Run, py::arg("command"), py::arg("words"), py::arg("no_cache"));
    module.def("merge", &Merge, py::arg("parts"), py::arg("words"), py::arg("no_cache"));
    module.def("read_log", &ReadLog, py::arg("path"), py::arg("words"), py::arg("no_cache"));
}
