#include "sim/protocol_rules.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "sim/command_codes.h"

namespace hsq::sim {
namespace {

// Frame bytes 3 to 11: d[0] is byte 3.
using Data = std::array<std::uint8_t, kMaxDataBytes>;

bool Flag(std::uint8_t value) {
    return value <= 1;
}
bool Card(std::uint8_t value) {
    return value < 4;
}
bool Board(std::uint8_t value) {
    return value < 2;
}
bool Mode(std::uint8_t value) {
    return value < 16;
}
bool ApplicationMode(std::uint8_t value) {
    return value == 0 || value == 1 || value == 5 || value == 6;
}
bool OutputFormat(std::uint8_t value) {
    return value == 0 || value == 2 || value == 3 || value == 6;
}
// mode x 16 + channel x 4 + board
bool BoardSelector(std::uint8_t value) {
    return Board(value & 3);
}
bool BoardModeSelector(std::uint8_t value) {
    return BoardSelector(value) && (value & 0x0C) == 0;
}

bool QueryArgument(std::uint8_t selector, std::uint8_t argument) {
    switch (selector) {
        case 0: case 1: case 2: case 15: case 23: case 24: return argument == 0;
        case 6: case 7: case 8: case 16: case 17: case 18: return Card(argument);
        case 9: case 10: case 12: case 13: case 14: case 21: case 22: return BoardSelector(argument);
        // The mode data query goes out with the selector of the request before it (a
        // channel's) when a display mode is recalled; its channel bits mean nothing.
        case 11: return BoardSelector(argument);
        case 20: return BoardModeSelector(argument);
        case 19: return Board(argument);
        default: return false;
    }
}

struct Rule {
    std::uint8_t code;
    int length;  // data bytes the command carries; the rest are zero
    bool (*valid)(const Data&);
};

// One row per command the processor knows, with what its data bytes may hold.
constexpr Rule kRules[] = {
    {kSelectInputCard, 2, [](const Data& d) { return Card(d[0]) && d[1] == 0; }},
    {kSetMainSource, 2, [](const Data& d) { return d[0] == 0 && d[1] <= kHighestSignal; }},
    {kSetPipEnable, 2, [](const Data& d) { return d[0] == 0 && Flag(d[1]); }},
    {kSetPipSource, 2, [](const Data& d) { return d[0] == 0 && d[1] <= kHighestSignal; }},
    {kSetTextEnable, 2, [](const Data& d) { return d[0] == 0 && Flag(d[1]); }},
    {kSetTextSource, 2, [](const Data& d) { return d[0] == 0 && d[1] <= kHighestSignal; }},
    {kSetMainWindow, 9, [](const Data& d) { return d[0] == 0; }},
    {kSetPipWindow, 9, [](const Data& d) { return d[0] == 1; }},
    {kSetInputBrightness, 2, [](const Data& d) { return d[0] == 0; }},
    {kSetInputContrast, 2, [](const Data& d) { return d[0] == 0; }},
    {kSetInputColour, 2, [](const Data& d) { return d[0] == 0; }},
    {kSetCaptionKey, 5, [](const Data& d) { return d[0] == 0 && Flag(d[1]); }},
    {kSelectOutputBoard, 2, [](const Data& d) { return Board(d[0]) && Card(d[1]); }},
    {kRecallMode, 2, [](const Data& d) { return Mode(d[0]) && Flag(d[1]); }},
    {kSetImageSource, 2, [](const Data& d) { return Card(d[0]) && Card(d[1]); }},
    {kSelectImage, 2, [](const Data& d) { return Card(d[0]) && d[1] == 0; }},
    {kSetImageInputWindow, 9, [](const Data& d) { return Card(d[0]); }},
    {kSetImageOutputWindow, 9, [](const Data& d) { return Card(d[0]); }},
    {kSetImageBorder, 6, [](const Data& d) { return Card(d[0]) && Flag(d[1]) && d[5] <= 10; }},
    {kSetApplicationMode, 2, [](const Data& d) { return ApplicationMode(d[0]) && d[1] == 0; }},
    {kResetHdmi, 2, [](const Data& d) { return d[0] == 0 && d[1] == 0; }},
    {kSetSynchronization, 1, [](const Data& d) { return Flag(d[0]); }},
    {kSetOutputFormat, 3,
     [](const Data& d) {
         return OutputFormat(d[0]) && ApplicationMode(d[1]) && ApplicationMode(d[2]);
     }},
    {kVgaAutoAdjust, 2, [](const Data& d) { return d[0] == 0 && d[1] == 0; }},
    {kSetOutputBrightness, 2, [](const Data& d) { return d[0] <= 32 && d[1] == 0; }},
    {kCopyMode, 2, [](const Data& d) { return Mode(d[0]) && Mode(d[1]); }},
    {kImportBegin, 2, [](const Data& d) { return d[0] == 0 && d[1] == 0; }},
    {kImportSystem, 2, [](const Data& d) { return OutputFormat(d[0]) && Flag(d[1]); }},
    {kImportInputSetup, 4, [](const Data& d) { return Card(d[0]); }},
    {kImportInputWindow, 9, [](const Data& d) { return Card(d[0]); }},
    {kImportInputWindow2, 9, [](const Data& d) { return Card(d[0]); }},
    {kImportOutputSetup, 4, [](const Data& d) { return Board(d[0]) && d[2] == 0; }},
    {kImportModeSetup, 8,
     [](const Data& d) {
         return Board(d[0]) && Mode(d[1]) && std::all_of(&d[3], &d[7], Card) && d[7] <= 0x0F;
     }},
    {kImportChannelOutputWindow, 9, [](const Data& d) { return BoardSelector(d[0]); }},
    {kImportChannelCropWindow, 9, [](const Data& d) { return BoardSelector(d[0]); }},
    {kImportEnd, 2, [](const Data& d) { return d[0] == 0 && d[1] == 0; }},
    {kSetMute, 2, [](const Data& d) { return Flag(d[0]) && d[1] == 0; }},
    {kSetMatrixReference, 2, [](const Data& d) { return Flag(d[0]) && d[1] == 0; }},
    {kSetOverlay, 2, [](const Data& d) { return Flag(d[0]) && d[1] == 0; }},
    {kShowAllImages, 2, [](const Data& d) { return d[0] == 1 && d[1] == 0; }},
    {kSetSwitchMode, 2, [](const Data& d) { return d[0] <= 5 && d[1] == 0; }},
    {kAdcCalibrate, 2, [](const Data& d) { return Card(d[0]) && d[1] == 0; }},
    {kWriteEdid, 2, [](const Data& d) { return Card(d[0]) && (d[1] == 0 || d[1] == 2); }},
    {kQuery, 2, [](const Data& d) { return QueryArgument(d[0], d[1]); }},
};

bool KnownSelector(std::uint8_t selector) {
    return selector <= 2 || (selector >= 6 && selector <= 24);
}

bool IsImportCommand(std::uint8_t code) {
    return code > kImportBegin && code <= kImportEnd;
}

std::string Described(const Frame& frame, const char* what) {
    char text[80];
    std::snprintf(text, sizeof text, "command %02x [%02x %02x %02x ...]: %s", frame[2], frame[3],
                  frame[4], frame[5], what);
    return text;
}

}  // namespace

std::optional<std::string> ProtocolViolation(const Frame& frame, bool importing) {
    const auto rule = std::find_if(std::begin(kRules), std::end(kRules),
                                   [&](const Rule& r) { return r.code == frame[2]; });
    if (rule == std::end(kRules)) return Described(frame, "unknown command");
    if (frame[2] == kQuery && !KnownSelector(frame[3])) return Described(frame, "unknown selector");
    Data data{};
    std::copy_n(frame.begin() + 3, kMaxDataBytes, data.begin());
    if (std::any_of(data.begin() + rule->length, data.end(), [](auto b) { return b != 0; }))
        return Described(frame, "bytes beyond its data are not zero");
    if (!rule->valid(data)) return Described(frame, "a fixed byte or a value out of range");
    if (IsImportCommand(frame[2]) && !importing) return Described(frame, "outside an import");
    return std::nullopt;
}

}  // namespace hsq::sim
