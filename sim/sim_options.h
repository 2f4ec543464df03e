#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/card_set.h"
#include "sim/fault_injector.h"
#include "sim/processor_state.h"

namespace hsq::sim {

inline constexpr std::uint64_t kDefaultSeed = 1;

inline constexpr std::string_view kSimUsage =
    "usage: hsq2600-sim [--tcp PORT] [--pty] [--cards LIST] [--absent LIST] [--silent LIST]\n"
    "                   [--fault KIND[:RATE]]... [--seed N] [--trace] [--strict]\n"
    "  --tcp PORT           listen on 127.0.0.1:PORT (0 picks a free port)\n"
    "  --pty                open a pseudo-terminal\n"
    "  --cards LIST         cards present, e.g. A,B,K (default A,B,C,D,K,L)\n"
    "  --absent LIST        input cards the status lists and then reports absent, e.g. C\n"
    "  --silent LIST        present input cards that do not answer, e.g. D\n"
    "  --fault KIND[:RATE]  inject a fault into the share RATE (0..1, default 1) of replies;\n"
    "                       KIND: noreply, late, pieces, extra, badsum, drop, garbage\n"
    "  --seed N             seed of the fault choices (default 1)\n"
    "  --trace              print every frame received (<-) and sent (->)\n"
    "  --strict             print every frame that breaks the protocol (it is never answered)\n"
    "At least one of --tcp and --pty is needed.\n";

// The command line of hsq2600-sim.
struct SimOptions {
    std::optional<std::uint16_t> tcpPort;
    bool pty = false;
    CardSet cards;
    std::vector<FaultRule> faults;
    std::uint64_t seed = kDefaultSeed;
    bool trace = false;
    bool strict = false;
    std::array<bool, kInputCards> absent{};
    std::array<bool, kInputCards> silent{};
};

// The arguments after the program name. Empty when any of them is wrong or neither transport is
// asked for.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args);

// The processor the options describe. Served over TCP, it gives its loopback address as its
// network address, so that the connection settings keep pointing where it listens.
ProcessorState InitialState(const SimOptions& options);

}  // namespace hsq::sim
