#include "commands/reply_decoders.h"

#include <cstdio>

namespace hsq {

namespace {

bool Bit(std::uint8_t byte, int bit) {
    return ((byte >> bit) & 1) != 0;
}

std::uint16_t Word(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>(high * 256 + low);
}

bool FromProcessor(const Frame& reply) {
    return reply[0] == kDeviceAddress;
}

// Channel windows carry their board, channel and mode in the spare high bits of x, width and y.
WindowRect ChannelRect(const Frame& r) {
    return {Word(r[4] & 0x3F, r[5]), Word(r[6] & 0x3F, r[7]), Word(r[8] & 0x0F, r[9]),
            Word(r[10], r[11])};
}

std::string VersionText(std::uint8_t major, std::uint8_t minor) {
    char text[16];
    std::snprintf(text, sizeof text, "V %d.%d", major, minor);
    return text;
}

std::string VersionText(std::uint8_t major, std::uint8_t minor, std::uint8_t patch) {
    char text[24];
    std::snprintf(text, sizeof text, "V %d.%d.%d", major, minor, patch);
    return text;
}

}  // namespace

StatusReport DecodeStatus(const Frame& r) {
    StatusReport status;
    for (int card = 0; card < 4; ++card) {
        status.inputPresent[card] = Bit(r[4], card) && !Bit(r[5], card);
        status.inputAnswers[card] = Bit(r[6], card);
    }
    status.outputPresent = {Bit(r[4], 4), Bit(r[4], 5)};
    return status;
}

std::optional<SystemReport> DecodeSystemReport(const Frame& r) {
    if (!FromProcessor(r))
        return std::nullopt;
    return SystemReport{r[5], r[6], r[7], r[8], Bit(r[10], 0), Bit(r[10], 1)};
}

std::string DecodeIpAddress(const Frame& r) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", r[4], r[5], r[6], r[7]);
    return text;
}

InputWindowReport DecodeInputWindow(const Frame& r) {
    return {static_cast<std::uint8_t>(r[4] >> 6),
            {Word(r[4] & 0x1F, r[5]), Word(r[6], r[7]), Word(r[8], r[9]), Word(r[10], r[11])}};
}

InputCardInfoReport DecodeInputCardInfo(const Frame& r) {
    InputCardInfoReport info;
    info.card = static_cast<std::uint8_t>(r[4] >> 6);
    info.mainSignal = (r[5] >> 2) & 3;
    info.mode = r[5] & 3;
    info.subSignal = static_cast<std::uint8_t>(r[5] >> 4);
    info.brightness = r[6];
    info.contrast = r[7];
    info.colour = r[8];
    info.thresholdDirection = Bit(r[4], 5) ? 1 : 0;
    info.red = r[9];
    info.green = r[10];
    info.blue = r[11];
    info.lowBits = r[4] & 0x0F;
    return info;
}

ReportRoute RouteReport(const Frame& r) {
    switch (r[3]) {
        case kQueryImageInputWindow:
            return ReportRoute::ImageInputWindow;
        case kQueryImageOutputWindow:
            return ReportRoute::ImageOutputWindow;
        case kQueryModeData:
            return ReportRoute::ModeData;
        case kQueryClockSource:
            return ReportRoute::ClockSource;
        case kQueryImageBorder:
            return ReportRoute::ImageBorder;
        case kQueryOutputBrightness:
            return ReportRoute::OutputBrightness;
        case kQueryOutputVersions:
            return ReportRoute::OutputVersions;
        case kQueryInputVersions:
            return ReportRoute::InputVersions;
        default:
            return ReportRoute::Ignored;
    }
}

ChannelWindowReport DecodeChannelWindow(const Frame& r) {
    return {static_cast<std::uint8_t>(r[4] >> 6), static_cast<std::uint8_t>(r[8] >> 4),
            static_cast<std::uint8_t>(r[6] >> 6), ChannelRect(r)};
}

ModeDataReport DecodeModeData(const Frame& r) {
    ModeDataReport mode;
    mode.board = r[4] & 3;
    mode.configMode = r[5] & 7;
    mode.displayMode = static_cast<std::uint8_t>(r[5] >> 4);
    mode.overlayIndex = static_cast<std::uint8_t>(r[6] >> 3);
    mode.switchMode = r[6] & 7;
    mode.ports = {static_cast<std::uint8_t>(r[7] & 0x0F), static_cast<std::uint8_t>(r[7] >> 4),
                  static_cast<std::uint8_t>(r[8] & 0x0F), static_cast<std::uint8_t>(r[8] >> 4)};
    for (int channel = 0; channel < 4; ++channel)
        mode.channelOn[channel] = Bit(r[9], channel);
    mode.overlayMatrix = Bit(r[10], 0);
    mode.imageAll = Bit(r[10], 1);
    mode.imageChannel = (r[10] >> 2) & 3;
    return mode;
}

ClockSourceReport DecodeClockSource(const Frame& r) {
    return {static_cast<std::uint8_t>(r[4] & 3), static_cast<std::uint8_t>((r[4] >> 2) & 3), r[5],
            r[6]};
}

ImageBorderReport DecodeImageBorder(const Frame& r) {
    return {static_cast<std::uint8_t>(r[4] & 3),
            static_cast<std::uint8_t>((r[4] >> 2) & 3),
            {r[5], r[6], r[7], r[8], r[9]}};
}

OutputBrightnessReport DecodeOutputBrightness(const Frame& r) {
    return {static_cast<std::uint8_t>(r[4] & 3), r[5]};
}

std::array<std::string, 2> DecodeOutputVersions(const Frame& r) {
    return {VersionText(r[3], r[4]), VersionText(r[5], r[6])};
}

std::array<std::string, 4> DecodeInputVersions(const Frame& r) {
    std::array<std::string, 4> versions;
    for (int card = 0; card < 4; ++card) {
        const std::uint8_t first = r[3 + 2 * card];
        const std::uint8_t second = r[4 + 2 * card];
        versions[card] = VersionText(first, second & 0x0F, static_cast<std::uint8_t>(second >> 4));
    }
    return versions;
}

std::optional<BankSystemReport> DecodeBankSystem(const Frame& r) {
    if (!FromProcessor(r))
        return std::nullopt;
    return BankSystemReport{r[5], r[6]};
}

std::array<std::uint8_t, 3> DecodeBankInputSetup(const Frame& r) {
    return {r[5], r[6], r[7]};
}

WindowRect DecodeBankInputWindow(const Frame& r) {
    return {Word(r[4] & 0x3F, r[5]), Word(r[6], r[7]), Word(r[8], r[9]), Word(r[10], r[11])};
}

std::optional<BankBoardSetupReport> DecodeBankBoardSetup(const Frame& r) {
    if (!FromProcessor(r))
        return std::nullopt;
    return BankBoardSetupReport{static_cast<std::uint8_t>(r[4] & 3), r[5], r[7]};
}

std::optional<BankModeSetupReport> DecodeBankModeSetup(const Frame& r) {
    if (!FromProcessor(r))
        return std::nullopt;
    BankModeSetupReport setup;
    setup.board = r[4] & 3;
    setup.mode = static_cast<std::uint8_t>(r[4] >> 4);
    setup.byteA = r[5];
    setup.byteB = static_cast<std::uint8_t>(r[6] >> 5);
    setup.ports = {r[6], r[7], r[8], r[9]};
    for (int channel = 0; channel < 4; ++channel)
        setup.channelOn[channel] = Bit(r[10], channel);
    return setup;
}

std::optional<ChannelWindowReport> DecodeBankChannelWindow(const Frame& r) {
    if (!FromProcessor(r))
        return std::nullopt;
    return DecodeChannelWindow(r);
}

}  // namespace hsq
