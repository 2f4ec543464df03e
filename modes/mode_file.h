#pragma once

#include <filesystem>
#include <optional>

#include "modes/mode_bank.h"

namespace hsq {

// A mode file read into a fresh bank. Empty when any of its rules fails: the path is empty; the
// card lists name no card or a card that does not exist; a key is missing, or a list holds
// fewer values than its key needs or a value that is not a decimal number its field can carry;
// the output format is not one the processor knows; the clock-source flag is not 0 or 1.
std::optional<ModeBank> ReadModeFile(const std::filesystem::path& file);

// Writes the bank's listed cards as a new mode file, replacing the file in one step, so that
// what was there before is either all kept or all gone. False when it could not be written.
bool WriteModeFile(const std::filesystem::path& file, const ModeBank& bank);

}  // namespace hsq
