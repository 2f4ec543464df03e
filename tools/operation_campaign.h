#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace hsq::campaign {

// A random sequence of the operator's operations, through every dialog's logic, against the
// strict simulated processor on virtual time while it injects faults at random.
struct OperationRun {
    std::uint64_t seed = 1;
    long exchanges = 100000;  // runs until at least this many frames went out
    // Told each operation's name as it starts, to follow a run that found something.
    std::function<void(const std::string&)> log;
};

struct OperationFigures {
    long steps = 0;
    long exchanges = 0;
    long faultSpells = 0;
    std::map<std::string, long> operations;  // how often each operation ran
    // Each promise broken, with the step it was seen after; empty when all held.
    std::vector<std::string> findings;
    // Once the faults stopped, a card could be read and a mode recalled.
    bool recovered = false;
};

// Runs in folder (which must exist and be empty): the configuration, the exported mode file.
OperationFigures RunOperations(const OperationRun& run, const std::filesystem::path& folder);

}  // namespace hsq::campaign
