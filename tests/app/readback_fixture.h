#pragma once

#include <gtest/gtest.h>

#include "app/status_readback.h"
#include "config/default_configuration.h"
#include "sim/sim_link.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq::testing {

// A freshly initialised configuration folder, the main window's state and the simulated
// processor behind the link, on virtual time.
struct ReadbackFixture : ::testing::Test {
    explicit ReadbackFixture(sim::ProcessorState processorState = sim::ProcessorState{})
        : sim(std::move(processorState)) {
        EXPECT_TRUE(WriteDefaultConfiguration(folder.path()));
        state.language = kEnglish;
    }

    std::string Read(ConfigFileKind kind, std::string_view section, std::string_view key,
                     std::uint8_t card = 0) const {
        std::string value;
        store.ReadValue(kind, section, key, value, card);
        return value;
    }

    TempFolder folder;
    ProfileStore store{folder.path()};
    sim::testing::SimLink sim;
    MainWindowState state;
    StatusReadback readback{state, store, sim.commands};
};

}  // namespace hsq::testing
