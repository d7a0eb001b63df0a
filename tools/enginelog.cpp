// Writes the log of a simulated engine in closed loop to standard output (see EngineSim.h):
//   enginelog --true TRUE_VE_MAP --ecu ECU_MAP [--samples N] [--seed S] [--cold DEGREES]
// Both maps in the fuel map text (TAB or comma separated; RPM rows, MAP columns).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "EngineSim.h"

namespace {

const char* ArgValue(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    return nullptr;
}

std::optional<grafolux::FuelMap> ReadMap(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "enginelog: " << path << ": cannot be read\n";
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    auto parsed = grafolux::ParseFuelMap(text, path);
    if (const auto* error = std::get_if<grafolux::MapError>(&parsed)) {
        std::cerr << "enginelog: " << error->message << "\n";
        return std::nullopt;
    }
    return std::get<grafolux::FuelMap>(std::move(parsed));
}

}  // namespace

int main(int argc, char** argv) {
    const char* truePath = ArgValue(argc, argv, "--true");
    const char* ecuPath = ArgValue(argc, argv, "--ecu");
    if (!truePath || !ecuPath) {
        std::cerr << "usage: enginelog --true TRUE_VE_MAP --ecu ECU_MAP [--samples N] [--seed S]"
                     " [--cold DEGREES]\n";
        return 2;
    }
    const auto trueVe = ReadMap(truePath), ecuVe = ReadMap(ecuPath);
    if (!trueVe || !ecuVe) return 1;
    grafolux::tools::EngineDrive drive;
    if (const char* n = ArgValue(argc, argv, "--samples")) drive.samples = std::atoi(n);
    if (const char* s = ArgValue(argc, argv, "--seed")) drive.seed = std::strtoull(s, nullptr, 10);
    if (const char* c = ArgValue(argc, argv, "--cold")) drive.coldCoolant = std::atof(c);
    const std::string log = grafolux::tools::SimulateEngineLog(*trueVe, *ecuVe, drive);
    std::fwrite(log.data(), 1, log.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
