#pragma once

#include <cstdint>

#include "app/main_window_state.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"

namespace hsq {

// How the output board dialog reads its card back into the profile and the records. Runs on a
// worker behind the waiting box; every reply that answers is recorded, and the first request
// that gets none ends the reading.
class OutputCardReader {
  public:
    static constexpr int kRecallPauseMs = 500;

    // card: 0 for K, 1 for L.
    OutputCardReader(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                     int card);

    // The mode data, each image's clock source, then (at the display mode just reported) each
    // image's input and output windows and border, and the brightness. False when it stopped
    // early.
    bool ReadCard();
    // After RecallMode m: the windows of mode m and its mode data, into the profile and both
    // records.
    void ReadRecalledMode(std::uint8_t mode);

  private:
    std::uint8_t Selector(int mode, int channel) const;
    bool Ask(std::uint8_t selector, std::uint8_t argument);
    bool AskEachChannel(std::uint8_t selector, int mode);
    OutputBoardRecord& Record() { return state_.outputs[card_]; }

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    int card_;
};

}  // namespace hsq
