#pragma once

#include <cstdint>

namespace hsq::sim {

// The codes of byte 2 that the processor acts on.
enum CommandCode : std::uint8_t {
    kSelectInputCard = 0x80,
    kSetMainSource = 0x81,
    kSetPipEnable = 0x82,
    kSetPipSource = 0x83,
    kSetTextEnable = 0x84,
    kSetTextSource = 0x85,
    kSetMainWindow = 0x86,
    kSetPipWindow = 0x87,
    kSetInputBrightness = 0x88,
    kSetInputContrast = 0x89,
    kSetInputColour = 0x8A,
    kSetCaptionKey = 0x8B,
    kSelectOutputBoard = 0x8D,
    kRecallMode = 0x8E,
    kSetImageSource = 0x8F,
    kSelectImage = 0x90,
    kSetImageInputWindow = 0x91,
    kSetImageOutputWindow = 0x92,
    kSetImageBorder = 0x93,
    kSetApplicationMode = 0x94,
    kResetHdmi = 0x97,
    kSetSynchronization = 0x9A,
    kSetOutputFormat = 0x9C,
    kVgaAutoAdjust = 0x9E,
    kSetOutputBrightness = 0x9F,
    kCopyMode = 0xA0,
    kImportBegin = 0xA4,
    kImportSystem = 0xA5,
    kImportInputSetup = 0xA6,
    kImportInputWindow = 0xA7,
    kImportInputWindow2 = 0xA8,
    kImportOutputSetup = 0xA9,
    kImportModeSetup = 0xAC,
    kImportChannelOutputWindow = 0xAE,
    kImportChannelCropWindow = 0xAF,
    kImportEnd = 0xB0,
    kSetMute = 0xB4,
    kSetMatrixReference = 0xB5,
    kSetOverlay = 0xB6,
    kShowAllImages = 0xB7,
    kSetSwitchMode = 0xB8,
    kAdcCalibrate = 0xFC,
    kWriteEdid = 0xFD,
    kQuery = 0xFE,
};

// A value the processor takes as on/off.
inline bool IsFlag(std::uint8_t value) {
    return value <= 1;
}

// Values beyond these could not be read back: the replies carry them in narrow fields.
inline constexpr std::uint8_t kApplicationModeLimit = 8;  // three bits of the mode report
inline constexpr std::uint8_t kSwitchLimit = 8;           // three bits of the mode report
inline constexpr std::uint8_t kPortLimit = 16;            // a nibble of the mode report
inline constexpr std::uint8_t kHighestSignal = 3;         // 0 SDI, 1 DVI, 2 VGA, 3 Video

}  // namespace hsq::sim
