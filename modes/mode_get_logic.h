#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "app/main_window_state.h"
#include "commands/device_commands.h"
#include "dialog/dialog_host.h"
#include "dialog/dialog_opener.h"

namespace hsq {

// The display mode dialog (CModeGet) without its window: recalls a stored display mode on the
// processor, exports every mode with the input cards' settings to a mode file and imports such
// a file back. Every exchange runs behind the waiting box.
class ModeGetLogic {
  public:
    enum class Caption { Title, Load, Export, Import };

    static constexpr int kModeButtons = 16;
    static constexpr int kRecallPauseMs = 500;
    static constexpr int kAfterRecallPauseMs = 200;

    ModeGetLogic(MainWindowState& state, DeviceCommands& commands, DialogHost& host);

    std::string_view CaptionText(Caption caption) const;
    // The radio button caption of button 1..16.
    std::string ModeCaption(int button) const;

    // button: 1..16.
    void OnMode(int button);
    void OnLoad();
    void OnExport();
    void OnImport();

    // What the main window adopts once the dialog has closed: the output format and
    // clock-source flag of the last import, -1 for each when nothing was imported.
    DialogOutcome Outcome() const;

  private:
    struct SystemValues {
        std::uint8_t outputFormat = 0;
        std::uint8_t clockSource = 0;
    };

    LanguageFlag Language() const { return state_.language; }
    void ShowModeDataFailure();
    void Tell(std::string_view text);
    void RememberFolderOf(const std::string& path);
    void ShowNotWritten(const std::string& path);
    void Export(const std::string& path);
    void Import(const std::string& path);

    MainWindowState& state_;
    DeviceCommands& commands_;
    DialogHost& host_;
    std::optional<std::uint8_t> selectedMode_;
    std::optional<SystemValues> imported_;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
