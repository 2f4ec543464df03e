#pragma once

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "config/default_configuration.h"
#include "service/http_api.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq::testing {

// The remote control's routes in front of a simulated processor on virtual time, with a fresh
// configuration in a folder of its own: for the programs that keep one for a whole run (the
// benchmark, the fuzzer). No rate limit unless asked for: their clients all share one address.
struct SimulatedRemote {
    static constexpr double kUnlimited = 1e9;

    explicit SimulatedRemote(HttpApi::Settings settings = {std::nullopt, kEnglish, kUnlimited,
                                                          kUnlimited}) {
        std::string folder = (std::filesystem::temp_directory_path() / "hsq-remote-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr || !WriteDefaultConfiguration(folder))
            throw std::runtime_error("no configuration folder");
        store.emplace(folder);
        timers.emplace(commands, clock, *store, [](const std::string&) {});
        link.AttachTransport(&transport);
        state.Refresh();
        api.emplace(commands, clock, state, *store, *timers, std::move(settings));
    }

    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport transport{processor, clock};
    DeviceLink link{clock};
    DeviceCommands commands{link};
    std::optional<ProfileStore> store;
    std::optional<HeadlessTimers> timers;
    RemoteEvents events;
    RemoteState state{commands, events};
    std::optional<HttpApi> api;
};

}  // namespace hsq::testing
