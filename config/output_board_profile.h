#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "commands/window_rect.h"
#include "config/output_resolution.h"
#include "config/profile_store.h"
#include "link/command_frame.h"

namespace hsq {

inline constexpr int kDisplayModeCount = 16;
inline constexpr int kOutputChannelCount = 4;
inline constexpr int kFormValueCount = 5;

// One output card's profile as the main window holds it: the card-wide keys of "BOARD", the
// mode names, and the per-mode keys of the display mode in force only.
struct OutputBoardRecord {
    std::uint8_t configMode = 0;
    std::uint8_t displayMode = 0;
    std::uint8_t overlayMode = 0;
    std::uint8_t clockSource = 0;
    std::uint8_t switchMode = 0;
    bool overlayMatrix = false;
    bool imageAll = false;
    std::uint8_t imageChannel = 0;
    std::array<std::uint8_t, kOutputChannelCount> layerOrder{};
    std::array<std::uint8_t, kOutputChannelCount> inputPort{};
    std::array<std::uint8_t, kOutputChannelCount> channelOn{};
    std::uint8_t brightness = 0;
    std::uint8_t firmwareMajor = 0;
    std::uint8_t firmwareMinor = 0;
    std::array<WindowRect, kOutputChannelCount> cropRect{};
    std::array<WindowRect, kOutputChannelCount> outputRect{};
    std::array<std::array<std::uint8_t, kFormValueCount>, kOutputChannelCount> form{};
    std::array<std::string, kDisplayModeCount> modeNames;
    // Read from a real "Output%d.ini". A record that never was is never saved: it would put
    // zeros over the operator's settings.
    bool loaded = false;
};

// card is 1 (K, "Output1.ini") or 2 (L, "Output2.ini"); any other card is refused: nothing is
// read into the record, nothing is written and false is returned. A record that was not loaded
// is not saved either.
bool LoadOutputProfile(const ProfileStore& store, std::uint8_t card, OutputBoardRecord& record);
bool SaveOutputProfile(ProfileStore& store, std::uint8_t card, const OutputBoardRecord& record);

// Both output cards: index 0 is K ("Output1.ini"), 1 is L ("Output2.ini").
using OutputBoardRecords = std::array<OutputBoardRecord, 2>;
void LoadOutputProfiles(const ProfileStore& store, OutputBoardRecords& records);
bool SaveOutputProfiles(ProfileStore& store, const OutputBoardRecords& records);

// What the previews of a card's display modes need of its profile: every mode's name, output
// windows, on/off flags and layer order, as stored (unchecked).
struct ModeSectionValues {
    std::uint8_t overlayMode = 0;
    std::array<int, kOutputChannelCount> layerOrder{};
    std::array<std::uint8_t, kOutputChannelCount> channelOn{};
    std::array<WindowRect, kOutputChannelCount> outputRect{};
};
struct OutputProfileModes {
    std::uint8_t configMode = 0;
    std::array<std::string, kDisplayModeCount> names;
    std::array<ModeSectionValues, kDisplayModeCount> modes{};
};
// Reads the card's file once. Nothing for a card other than 1 and 2 or a file that cannot be
// read.
std::optional<OutputProfileModes> ReadOutputProfileModes(const ProfileStore& store,
                                                         std::uint8_t card);

// The windows, input ports and on/off flags of one display mode, as a mode file carries them.
struct ModeChannelValues {
    std::array<WindowRect, kOutputChannelCount> cropRect{};
    std::array<WindowRect, kOutputChannelCount> outputRect{};
    std::array<std::uint8_t, kOutputChannelCount> inputPort{};
    std::array<std::uint8_t, kOutputChannelCount> channelOn{};
};
// Into the section of the given mode (0..15); the mode's other keys stay.
bool WriteModeChannels(ProfileStore& store, std::uint8_t card, int mode,
                       const ModeChannelValues& values);

// Resets the card's profile to a fresh one for the given output size, keeping the record's
// configuration mode and the mode names.
bool InitialiseOutputProfile(ProfileStore& store, std::uint8_t card,
                             const OutputBoardRecord& record, const OutputResolution& resolution);

// Writes one reply to queries 9 to 14 into its output profile, or one to queries 23 and 24 into
// the system information file. False for other replies, for boards other than K and L and when
// the file could not be written.
bool RecordOutputReport(ProfileStore& store, const Frame& reply);

}  // namespace hsq
