#pragma once

#include <array>
#include <cstdint>

#include "commands/window_rect.h"
#include "sim/card_set.h"

namespace hsq::sim {

inline constexpr int kChannels = 4;
inline constexpr int kModes = 16;
inline constexpr std::uint8_t kNoSignal = 15;

struct FirmwareVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    std::uint8_t patch = 0;  // input cards only
    friend bool operator==(const FirmwareVersion&, const FirmwareVersion&) = default;
};

// What the picture of an input card shows besides its main signal.
enum PictureMode : std::uint8_t {
    kMainOnly = 0,
    kPipOn = 1,
    kPipWithSource = 2,
    kTextOn = 3,
    kTextWithSource = 4,
};

struct InputCardState {
    std::uint8_t mainSignal = 1;  // 0 SDI, 1 DVI, 2 VGA, 3 Video
    std::uint8_t pictureMode = kMainOnly;
    std::uint8_t subSignal = kNoSignal;  // signal of the PIP or text overlay
    std::uint8_t brightness = 50;
    std::uint8_t contrast = 50;
    std::uint8_t colour = 50;
    std::uint8_t thresholdDirection = 0;  // 1 above, 0 below
    std::uint8_t red = 8;
    std::uint8_t green = 4;
    std::uint8_t blue = 8;
    std::array<std::uint8_t, 3> setup{};  // carried unchanged between mode export and import
    WindowRect mainWindow{0, 1920, 0, 1080};
    WindowRect pipWindow{16, 640, 16, 360};
    FirmwareVersion firmware{1, 3, 2};
    friend bool operator==(const InputCardState&, const InputCardState&) = default;
};

struct ChannelState {
    std::uint8_t inputPort = 0;  // 0 In-A .. 3 In-D
    bool on = true;
    WindowRect crop;    // the part of the input the channel takes
    WindowRect output;  // where the channel sits on the output
    friend bool operator==(const ChannelState&, const ChannelState&) = default;
};

struct DisplayMode {
    std::uint8_t overlayIndex = 0;   // layer order, 5 bits
    std::uint8_t switchSeconds = 0;  // fade time, 3 bits
    std::uint8_t byteA = 0;          // carried unchanged between mode export and import
    std::array<ChannelState, kChannels> channels{};
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// The five border values of one image: on, red, green, blue, width.
using BorderForm = std::array<std::uint8_t, 5>;

struct OutputBoardState {
    std::uint8_t applicationMode = 0;  // 0, 1, 5 or 6
    std::uint8_t displayMode = 0;      // the mode in force, 0..15
    std::uint8_t selectedImage = 0;
    bool overlayMatrix = false;
    bool imageAll = false;
    std::uint8_t brightness = 32;
    std::uint8_t pllSource = 0;
    std::array<std::uint8_t, kChannels> framesyncInport{};
    std::array<BorderForm, kChannels> borders{};
    std::uint8_t boardByte = 0;  // carried unchanged between mode export and import
    std::uint8_t clockByte = 0;  // likewise
    std::array<DisplayMode, kModes> modes{};
    FirmwareVersion firmware{2, 1, 0};

    DisplayMode& CurrentMode() { return modes[displayMode]; }
    friend bool operator==(const OutputBoardState&, const OutputBoardState&) = default;
};

// Everything the processor holds that a command sets or a query reads.
struct ProcessorState {
    explicit ProcessorState(const CardSet& cards = CardSet{});

    CardSet present;
    std::uint8_t outputFormat = 6;     // 1920 x 1080
    std::uint8_t matrixReference = 0;  // first input of board L: 0 In-A, 1 K.Out1
    std::array<std::uint8_t, 4> ipAddress{192, 168, 0, 100};
    bool configFlag0 = false;
    bool configFlag1 = false;
    bool synchronization = false;
    std::uint8_t selectedInputCard = 0;
    std::uint8_t selectedOutputBoard = 0;
    bool importing = false;  // between ImportBegin and ImportEnd
    // Input cards the status lists in byte 4 and then reports absent in byte 5; they are not
    // present.
    std::array<bool, kInputCards> listedButAbsent{};
    // Present input cards that do not answer (byte 6 of the status).
    std::array<bool, kInputCards> silent{};
    std::array<InputCardState, kInputCards> inputs{};
    std::array<OutputBoardState, kOutputBoards> outputs{};

    friend bool operator==(const ProcessorState&, const ProcessorState&) = default;
};

}  // namespace hsq::sim
