#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "commands/window_rect.h"
#include "link/command_frame.h"

namespace hsq {

// Query selectors (command 0xFE).
enum QuerySelector : std::uint8_t {
    kQueryStatus = 0,
    kQuerySystem = 1,
    kQueryIpAddress = 2,
    kQueryInputMainWindow = 6,
    kQueryInputPipWindow = 7,
    kQueryInputCardInfo = 8,
    kQueryImageInputWindow = 9,
    kQueryImageOutputWindow = 10,
    kQueryModeData = 11,
    kQueryClockSource = 12,
    kQueryImageBorder = 13,
    kQueryOutputBrightness = 14,
    kQueryBankSystem = 15,
    kQueryBankInputSetup = 16,
    kQueryBankInputWindow = 17,
    kQueryBankInputWindow2 = 18,
    kQueryBankBoardSetup = 19,
    kQueryBankModeSetup = 20,
    kQueryBankChannelCrop = 21,
    kQueryBankChannelOutput = 22,
    kQueryOutputVersions = 23,
    kQueryInputVersions = 24,
};

// Selector 0.
struct StatusReport {
    std::array<bool, 4> inputPresent{};   // byte 4 bits 0..3, cleared by byte 5 bits 0..3
    std::array<bool, 2> outputPresent{};  // byte 4 bits 4, 5
    std::array<bool, 4> inputAnswers{};   // byte 6 bits 0..3
};
StatusReport DecodeStatus(const Frame& reply);

// Selector 1; empty unless byte 0 is 0x86.
struct SystemReport {
    std::uint8_t outputFormat = 0;  // byte 5
    std::uint8_t inAKout1 = 0;      // byte 6
    std::uint8_t configModeK = 0;   // byte 7
    std::uint8_t configModeL = 0;   // byte 8
    bool configFlag0 = false;       // byte 10 bit 0
    bool configFlag1 = false;       // byte 10 bit 1
};
std::optional<SystemReport> DecodeSystemReport(const Frame& reply);

// Selector 2: bytes 4 to 7 as "%d.%d.%d.%d".
std::string DecodeIpAddress(const Frame& reply);

// Selectors 6 and 7.
struct InputWindowReport {
    std::uint8_t card = 0;  // byte 4 bits 7..6
    WindowRect rect;
};
InputWindowReport DecodeInputWindow(const Frame& reply);

// Selector 8.
struct InputCardInfoReport {
    std::uint8_t card = 0;  // byte 4 bits 7..6
    std::uint8_t mainSignal = 0, mode = 0, subSignal = 0;
    std::uint8_t brightness = 0, contrast = 0, colour = 0;
    std::uint8_t thresholdDirection = 0, red = 0, green = 0, blue = 0;
    std::uint8_t lowBits = 0;  // byte 4 bits 3..0, handed back to the caller of the recorder
};
InputCardInfoReport DecodeInputCardInfo(const Frame& reply);

// Byte 3 of a mode report names its store.
enum class ReportRoute {
    ImageInputWindow,   // 9
    ImageOutputWindow,  // 10
    ModeData,           // 11
    ClockSource,        // 12
    ImageBorder,        // 13
    OutputBrightness,   // 14
    OutputVersions,     // 23
    InputVersions,      // 24
    Ignored,
};
ReportRoute RouteReport(const Frame& reply);

// Selectors 9, 10, 21 and 22 share one layout.
struct ChannelWindowReport {
    std::uint8_t board = 0;    // byte 4 bits 7..6
    std::uint8_t mode = 0;     // byte 8 bits 7..4
    std::uint8_t channel = 0;  // byte 6 bits 7..6
    WindowRect rect;
};
ChannelWindowReport DecodeChannelWindow(const Frame& reply);

// Selector 11.
struct ModeDataReport {
    std::uint8_t board = 0;               // byte 4 bits 1..0
    std::uint8_t configMode = 0;          // byte 5 bits 2..0
    std::uint8_t displayMode = 0;         // byte 5 bits 7..4
    std::uint8_t overlayIndex = 0;        // byte 6 bits 7..3
    std::uint8_t switchMode = 0;          // byte 6 bits 2..0
    std::array<std::uint8_t, 4> ports{};  // byte 7 low, high; byte 8 low, high nibble
    std::array<bool, 4> channelOn{};      // byte 9 bits 0..3
    bool overlayMatrix = false;           // byte 10 bit 0
    bool imageAll = false;                // byte 10 bit 1
    std::uint8_t imageChannel = 0;        // byte 10 bits 3..2
};
ModeDataReport DecodeModeData(const Frame& reply);

// Selector 12.
struct ClockSourceReport {
    std::uint8_t board = 0;            // byte 4 bits 1..0
    std::uint8_t channel = 0;          // byte 4 bits 3..2
    std::uint8_t pllSource = 0;        // byte 5
    std::uint8_t framesyncInport = 0;  // byte 6
};
ClockSourceReport DecodeClockSource(const Frame& reply);

// Selector 13.
struct ImageBorderReport {
    std::uint8_t board = 0;              // byte 4 bits 1..0
    std::uint8_t channel = 0;            // byte 4 bits 3..2
    std::array<std::uint8_t, 5> form{};  // bytes 5..9
};
ImageBorderReport DecodeImageBorder(const Frame& reply);

// Selector 14.
struct OutputBrightnessReport {
    std::uint8_t board = 0;       // byte 4 bits 1..0
    std::uint8_t brightness = 0;  // byte 5
};
OutputBrightnessReport DecodeOutputBrightness(const Frame& reply);

// Selector 23: "V %d.%d" for boards K and L.
std::array<std::string, 2> DecodeOutputVersions(const Frame& reply);
// Selector 24: "V %d.%d.%d" for cards A to D (first byte, low nibble, high nibble).
std::array<std::string, 4> DecodeInputVersions(const Frame& reply);

// Mode bank: selector 15; empty unless byte 0 is 0x86.
struct BankSystemReport {
    std::uint8_t outputFormat = 0;  // byte 5
    std::uint8_t clockSource = 0;   // byte 6
};
std::optional<BankSystemReport> DecodeBankSystem(const Frame& reply);

// Selector 16: bytes 5, 6, 7.
std::array<std::uint8_t, 3> DecodeBankInputSetup(const Frame& reply);

// Selectors 17 and 18: x (byte 4 bits 5..0, byte 5), width (6, 7), y (8, 9), height (10, 11).
WindowRect DecodeBankInputWindow(const Frame& reply);

// Selector 19; empty unless byte 0 is 0x86.
struct BankBoardSetupReport {
    std::uint8_t board = 0;      // byte 4 bits 1..0
    std::uint8_t boardByte = 0;  // byte 5
    std::uint8_t clockByte = 0;  // byte 7
};
std::optional<BankBoardSetupReport> DecodeBankBoardSetup(const Frame& reply);

// Selector 20; empty unless byte 0 is 0x86.
struct BankModeSetupReport {
    std::uint8_t board = 0;               // byte 4 bits 1..0
    std::uint8_t mode = 0;                // byte 4 bits 7..4
    std::uint8_t byteA = 0;               // byte 5
    std::uint8_t byteB = 0;               // byte 6 bits 7..5
    std::array<std::uint8_t, 4> ports{};  // bytes 6..9
    std::array<bool, 4> channelOn{};      // byte 10 bits 0..3
};
std::optional<BankModeSetupReport> DecodeBankModeSetup(const Frame& reply);

// Selectors 21 and 22 (the layout of 9 and 10); empty unless byte 0 is 0x86.
std::optional<ChannelWindowReport> DecodeBankChannelWindow(const Frame& reply);

}  // namespace hsq
