#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dialog/bilingual.h"
#include "app/language.h"
#include "config/input_profile.h"
#include "config/output_board_profile.h"
#include "config/system_info.h"

namespace hsq {

inline constexpr int kOutputCardCount = 2;

struct CardPresence {
    std::array<bool, kInputCardCount> input{};    // A..D
    std::array<bool, kOutputCardCount> output{};  // K, L
    bool Any() const;
};

// The transport starts as serial until the settings are read.
inline ConnectionSettings SerialChosen() {
    ConnectionSettings settings;
    settings.serial = true;
    return settings;
}

// What the main window owns for as long as the program runs.
struct MainWindowState {
    LanguageFlag language = kChinese;
    LocaleClass localeClass = 0;
    bool connected = false;
    bool configurationFound = false;
    ConnectionSettings connection = SerialChosen();
    CardPresence presence;
    SystemStatus system;
    std::array<bool, 2> configFlags{};
    OutputBoardRecords outputs;
    InputCardRecords inputs;
    MatrixValues matrix{};
    std::uint8_t selectedOutput = 0;
    // The input card the input card dialog edits, 0..3.
    std::uint8_t selectedInput = 0;
    // Where the last mode file was exported or imported: the next file dialog starts there.
    std::string modeFileFolder;
    std::string statusLine;
    // Connected, but the processor has stopped answering: the window says so until it answers.
    bool processorSilent = false;
    // The processor is the demo's simulation, and the window says so.
    bool simulated = false;
};

inline bool CardPresence::Any() const {
    for (bool present : input) {
        if (present) return true;
    }
    return output[0] || output[1];
}

}  // namespace hsq
