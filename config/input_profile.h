#pragma once

#include <array>
#include <cstdint>

#include "commands/window_rect.h"
#include "config/output_resolution.h"
#include "config/profile_store.h"
#include "link/command_frame.h"

namespace hsq {

inline constexpr int kInputCardCount = 4;

// One input card's entries of "Input.ini".
struct InputCardRecord {
    // Card information: passed through between the input dialogs and the processor.
    std::uint8_t mainSignal = 0;
    std::uint8_t mode = 0;
    std::uint8_t subSignal = 0;  // 15: no sub signal
    // Picture adjustment.
    std::uint8_t brightness = 0;
    std::uint8_t contrast = 0;
    std::uint8_t colour = 0;
    std::uint8_t thresholdDirection = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    WindowRect mainRect;
    WindowRect pipRect;
    // Read from a real "Input.ini". A record that never was is never saved: it would put zeros
    // over the operator's settings.
    bool loaded = false;
};

// Index 0 is card A (1 in the keys) .. index 3 is card D.
using InputCardRecords = std::array<InputCardRecord, kInputCardCount>;

void LoadInputProfile(const ProfileStore& store, InputCardRecords& records);
// Writes the cards whose records were loaded; false when a card was left out or the file could
// not be written.
bool SaveInputProfile(ProfileStore& store, const InputCardRecords& records);

// Resets the picture rectangles of all four cards to the output size: the main picture fills
// it, the PIP window takes a third of it (even sizes) 16 pixels from the corner. The card
// information and picture adjustment are kept.
bool InitialiseInputProfile(ProfileStore& store, const OutputResolution& resolution);

// Recorders for the replies to the card information (8), main picture (6) and PIP window (7)
// queries. The card-information recorder hands back the reply's byte 4 bits 3..0.
std::uint8_t RecordInputCardInfo(ProfileStore& store, const Frame& reply);
bool RecordInputMainWindow(ProfileStore& store, const Frame& reply);
bool RecordInputPipWindow(ProfileStore& store, const Frame& reply);

}  // namespace hsq
