#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

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
    // The values the card's sixteen mode sections hold under the keys; by default under the crop
    // and output rectangles of all four channels.
    std::set<std::string> ModeValues(std::uint8_t card, std::vector<std::string> keys = {}) const {
        if (keys.empty()) {
            for (int channel = 1; channel <= 4; ++channel)
                for (const char* kind : {"_OutputMap_Size", "_Jiequ_InputMap_Size"})
                    keys.push_back("OutCH" + std::to_string(channel) + kind);
        }
        std::set<std::string> values;
        for (int mode = 0; mode < 16; ++mode) {
            const std::string section = "Mode" + std::to_string(mode);
            for (const std::string& key : keys)
                values.insert(Read(ConfigFileKind::Output, section, key, card));
        }
        return values;
    }
    // The configuration files' bytes as they are now.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const char* name : {"2600Info.ini", "Input.ini", "Output1.ini", "Output2.ini"})
            files[name] = folder.Read(name);
        return files;
    }

    TempFolder folder;
    ProfileStore store{folder.path()};
    sim::testing::SimLink sim;
    MainWindowState state;
    StatusReadback readback{state, store, sim.commands};
};

}  // namespace hsq::testing
