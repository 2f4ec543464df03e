#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "app/main_window_state.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/dialog_host.h"
#include "dialog/dialog_opener.h"
#include "modes/mode_bank.h"
#include "output/mode_layouts.h"

namespace hsq {

// The display mode dialog (CModeGet) without its window: recalls a stored display mode on the
// processor, exports every mode with the input cards' settings to a mode file and imports such
// a file back. Every exchange runs behind the waiting box. Each mode shows its layout on the
// output card a recall acts on: the one the main window selected last.
class ModeGetLogic {
  public:
    enum class Caption { Title, Load, Export, Import };

    static constexpr int kModeButtons = 16;
    static constexpr int kRecallPauseMs = 500;
    static constexpr int kAfterRecallPauseMs = 200;

    ModeGetLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                 DialogHost& host);

    std::string_view CaptionText(Caption caption) const;
    // The radio button caption of button 1..16.
    std::string ModeCaption(int button) const;
    // The sixteen modes of the card a recall acts on, as its profile and record hold them, and
    // that card's name ("Board:K").
    const CardModeLayouts& Previews() const { return previews_; }
    std::string PreviewCardText() const;

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
    // The processor took the whole file: the cards' profiles and records hold it too.
    void KeepImported(const ModeBank& bank, const CardPresence& present);
    void RereadPreviews();

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    DialogHost& host_;
    std::optional<std::uint8_t> selectedMode_;
    std::optional<SystemValues> imported_;
    CardModeLayouts previews_;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
