#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>

#include "app/main_window_state.h"
#include "app/status_readback.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/dialog_host.h"

namespace hsq {

// The resolution dialog (COutFormatSet) without its window: one output resolution for the whole
// processor, chosen on a four-position slider. A change re-initialises every stored rectangle,
// since they are all in pixels of the resolution.
class OutputResolutionLogic {
  public:
    enum class Caption { Title, Set };
    struct Choice {
        std::string_view label;
        std::uint8_t code;
    };
    // Slider position 0 (the top) first.
    static constexpr std::array<Choice, 4> kChoices{{
        {"--1024x768@60Hz", 0},
        {"--1280x1024@60Hz", 2},
        {"--1920x1200@60Hz", 3},
        {"--1920x1080@60Hz", 6},
    }};

    OutputResolutionLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                          DialogHost& host);

    std::string_view CaptionText(Caption caption) const;
    // Where the chosen code stands on the slider; 0 for a code it does not offer.
    int SliderPosition() const;

    void OnSlider(int position);
    // Asks before changing; a refusal, or a change the processor did not confirm, puts the
    // slider back on the resolution in force.
    void OnSet();

  private:
    PlanOutcome ChangeResolution(WorkProgress& progress);

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    DialogHost& host_;
    StatusReadback readback_;  // the initialisation steps a change shares with the main window's
    std::uint8_t chosen_;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
