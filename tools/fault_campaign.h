#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/fault_injector.h"

namespace hsq::campaign {

// One fault campaign: what the faults were, and what got past them.
struct Figures {
    std::string faults;
    long exchanges = 0;
    long succeeded = 0;
    // Queries that returned success with a reply other than the processor's answer to them.
    long wrongAccepted = 0;
    long recorderRounds = 0;
    // Read-back rounds after which a configuration file held a value the processor never gave.
    long wrongRounds = 0;
    // The first exchange after the faults stopped succeeded, with the right answer.
    bool recovered = false;
    // Frames the program sent that break the processor's protocol.
    long violations = 0;
};

struct Plan {
    std::vector<sim::FaultRule> faults;
    std::string name;
    long exchanges = 0;
    long recorderRounds = 0;
    std::uint64_t seed = 1;
};

// Each fault kind alone at the given rate, then all of them together.
std::vector<Plan> StandardPlans(double rate, long exchanges, long recorderRounds,
                                std::uint64_t seed);

// Runs the plan against the in-process simulated processor on virtual time. The read-back
// rounds record into configuration files in folder (which must exist and be empty).
Figures Run(const Plan& plan, const std::filesystem::path& folder);

}  // namespace hsq::campaign
