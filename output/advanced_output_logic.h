#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "app/main_window_state.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/dialog_host.h"

namespace hsq {

// The advanced output settings (CCOutAdvanced) without their window: frame synchronisation,
// the HDMI reset and the card's application mode. A new application mode starts the card's
// profile afresh, all display modes with it, so it is asked for every time, and the profile
// follows only a mode the processor confirmed.
class AdvancedOutputLogic {
  public:
    enum class Caption { Synchronization, Open, Close, ResetHdmi, Reset, ApplicationMode };

    // The modes the radio buttons offer, in their order.
    static constexpr std::array<std::uint8_t, 4> kApplicationModes{0, 1, 5, 6};
    static constexpr int kApplyPauseMs = 50;

    // card: 0 for K, 1 for L.
    AdvancedOutputLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                        DialogHost& host, int card);

    std::string Title() const;
    std::string_view CaptionText(Caption caption) const;
    // The radio button caption of one of kApplicationModes.
    std::string_view ModeCaption(std::uint8_t mode) const;
    // The record's configuration mode when a radio button offers it.
    std::optional<std::uint8_t> CheckedMode() const;

    void OnSynchronization(bool open);
    void OnResetHdmi();
    void OnApplicationMode(int mode);

  private:
    OutputBoardRecord& Record() { return state_.outputs[card_]; }
    const OutputBoardRecord& Record() const { return state_.outputs[card_]; }
    LanguageFlag Language() const { return state_.language; }
    // Runs an exchange behind the waiting box, holding the dialog's lock.
    void Send(const std::function<void()>& exchange);
    // False, with the record and the profile as they were, when the processor did not confirm.
    bool ApplyApplicationMode(std::uint8_t mode);

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    DialogHost& host_;
    const int card_;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
