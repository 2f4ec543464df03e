#include "commands/device_commands.h"

#include "commands/command_names.h"
#include "commands/reply_match.h"

namespace hsq {

namespace {

std::uint8_t Flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

std::uint8_t DeviceCommands::Confirmed(std::uint8_t command, std::uint8_t d0, std::uint8_t d1) {
    return link_.SendPairAndConfirm(kDeviceAddress, command, d0, d1);
}

std::uint8_t DeviceCommands::ConfirmedBytes(std::uint8_t command,
                                            std::span<const std::uint8_t> data) {
    return link_.SendAndConfirm(kDeviceAddress, command, data);
}

std::uint8_t DeviceCommands::ConfirmedWindow(std::uint8_t command, std::uint8_t selector,
                                             const WindowRect& rect) {
    const auto data = EncodeWindow(selector, rect);
    return ConfirmedBytes(command, data);
}

std::uint8_t DeviceCommands::SelectInputCard(std::uint8_t card) {
    return Confirmed(0x80, card, 0);
}
std::uint8_t DeviceCommands::SetMainSource(std::uint8_t port) {
    return Confirmed(0x81, 0, port);
}
std::uint8_t DeviceCommands::SetPipEnable(bool on) {
    return Confirmed(0x82, 0, Flag(on));
}
std::uint8_t DeviceCommands::SetPipSource(std::uint8_t port) {
    return Confirmed(0x83, 0, port);
}
std::uint8_t DeviceCommands::SetTextEnable(bool on) {
    return Confirmed(0x84, 0, Flag(on));
}
std::uint8_t DeviceCommands::SetTextSource(std::uint8_t port) {
    return Confirmed(0x85, 0, port);
}

std::uint8_t DeviceCommands::SetMainWindow(const WindowRect& rect) {
    return ConfirmedWindow(0x86, 0, rect);
}

std::uint8_t DeviceCommands::SetPipWindow(const WindowRect& rect) {
    return ConfirmedWindow(0x87, 1, rect);
}

std::uint8_t DeviceCommands::SetInputBrightness(std::uint8_t value) {
    return Confirmed(0x88, 0, value);
}

std::uint8_t DeviceCommands::SetInputContrast(std::uint8_t value) {
    return Confirmed(0x89, 0, value);
}

std::uint8_t DeviceCommands::SetInputColour(std::uint8_t value) {
    return Confirmed(0x8A, 0, value);
}

std::uint8_t DeviceCommands::SetCaptionKey(std::uint8_t direction, std::uint8_t red,
                                           std::uint8_t green, std::uint8_t blue) {
    const std::uint8_t data[] = {0, direction, red, green, blue};
    return ConfirmedBytes(0x8B, data);
}

std::uint8_t DeviceCommands::VgaAutoAdjust() {
    return Confirmed(0x9E, 0, 0);
}

std::uint8_t DeviceCommands::SelectOutputBoard(std::uint8_t board, std::uint8_t image) {
    return Confirmed(0x8D, board, image);
}

std::uint8_t DeviceCommands::RecallMode(std::uint8_t mode, bool stored) {
    return Confirmed(0x8E, mode, Flag(stored));
}

std::uint8_t DeviceCommands::SetImageSource(std::uint8_t image, std::uint8_t source) {
    const std::uint8_t data[] = {image, source};
    return ConfirmedBytes(0x8F, data);
}

std::uint8_t DeviceCommands::SelectImage(std::uint8_t image) {
    return Confirmed(0x90, image, 0);
}

std::uint8_t DeviceCommands::SetImageInputWindow(std::uint8_t image, const WindowRect& rect) {
    return ConfirmedWindow(0x91, image, rect);
}

std::uint8_t DeviceCommands::SetImageOutputWindow(std::uint8_t image, const WindowRect& rect) {
    return ConfirmedWindow(0x92, image, rect);
}

std::uint8_t DeviceCommands::SetImageBorder(std::uint8_t image, bool on, std::uint8_t red,
                                            std::uint8_t green, std::uint8_t blue,
                                            std::uint8_t width) {
    const std::uint8_t data[] = {image, Flag(on), red, green, blue, width};
    return ConfirmedBytes(0x93, data);
}

std::uint8_t DeviceCommands::SetApplicationMode(std::uint8_t mode) {
    return Confirmed(0x94, mode, 0);
}

std::uint8_t DeviceCommands::ResetHdmi() {
    return Confirmed(0x97, 0, 0);
}

std::uint8_t DeviceCommands::SetSynchronization(bool open) {
    const std::uint8_t data[] = {Flag(open)};
    return ConfirmedBytes(0x9A, data);
}

std::uint8_t DeviceCommands::SetOutputFormat(std::uint8_t format, std::uint8_t modeK,
                                             std::uint8_t modeL) {
    const std::uint8_t data[] = {format, modeK, modeL};
    return ConfirmedBytes(0x9C, data);
}

std::uint8_t DeviceCommands::SetOutputBrightness(std::uint8_t value) {
    return Confirmed(0x9F, value, 0);
}

std::uint8_t DeviceCommands::CopyMode(std::uint8_t current, std::uint8_t target) {
    return Confirmed(0xA0, current, target);
}

std::uint8_t DeviceCommands::SetMute(bool on) {
    return Confirmed(0xB4, Flag(on), 0);
}

std::uint8_t DeviceCommands::SetMatrixReference(std::uint8_t reference) {
    return Confirmed(0xB5, reference, 0);
}

std::uint8_t DeviceCommands::SetOverlay(bool overlayMatrix) {
    return Confirmed(0xB6, Flag(overlayMatrix), 0);
}

std::uint8_t DeviceCommands::ShowAllImages() {
    return Confirmed(0xB7, 1, 0);
}

std::uint8_t DeviceCommands::SetSwitchMode(std::uint8_t seconds) {
    return Confirmed(0xB8, seconds, 0);
}

std::uint8_t DeviceCommands::ImportBegin() {
    return Confirmed(0xA4, 0, 0);
}

std::uint8_t DeviceCommands::ImportSystem(std::uint8_t format, std::uint8_t clockSource) {
    const std::uint8_t data[] = {format, clockSource};
    return ConfirmedBytes(0xA5, data);
}

std::uint8_t DeviceCommands::ImportInputSetup(std::uint8_t card,
                                              const std::array<std::uint8_t, 3>& setup) {
    const std::uint8_t data[] = {card, setup[0], setup[1], setup[2]};
    return ConfirmedBytes(0xA6, data);
}

std::uint8_t DeviceCommands::ImportInputWindow(std::uint8_t card, const WindowRect& rect) {
    return ConfirmedWindow(0xA7, card, rect);
}

std::uint8_t DeviceCommands::ImportInputWindow2(std::uint8_t card, const WindowRect& rect) {
    return ConfirmedWindow(0xA8, card, rect);
}

std::uint8_t DeviceCommands::ImportOutputSetup(std::uint8_t board, std::uint8_t boardByte,
                                               std::uint8_t clockByte) {
    const std::uint8_t data[] = {board, boardByte, 0, clockByte};
    return ConfirmedBytes(0xA9, data);
}

std::uint8_t DeviceCommands::ImportModeSetup(std::uint8_t board, std::uint8_t mode,
                                             std::uint8_t byteA,
                                             const std::array<std::uint8_t, 4>& ports,
                                             std::uint8_t onOffBits) {
    const std::uint8_t data[] = {board,    mode,     byteA,    ports[0],
                                 ports[1], ports[2], ports[3], onOffBits};
    return ConfirmedBytes(0xAC, data);
}

std::uint8_t DeviceCommands::ImportChannelOutputWindow(std::uint8_t selector,
                                                       const WindowRect& rect) {
    return ConfirmedWindow(0xAE, selector, rect);
}

std::uint8_t DeviceCommands::ImportChannelCropWindow(std::uint8_t selector,
                                                     const WindowRect& rect) {
    return ConfirmedWindow(0xAF, selector, rect);
}

std::uint8_t DeviceCommands::ImportEnd() {
    return Confirmed(0xB0, 0, 0);
}

std::uint8_t DeviceCommands::AdcCalibrate(std::uint8_t input) {
    return link_.SendPair(kDeviceAddress, 0xFC, input, 0);
}

std::uint8_t DeviceCommands::WriteEdid(std::uint8_t input, std::uint8_t kind) {
    return link_.SendPair(kDeviceAddress, 0xFD, input, kind);
}

std::uint8_t DeviceCommands::Exchange(std::uint8_t command, std::span<const std::uint8_t> data,
                                      Frame& reply) {
    if (command == kQueryCode && data.size() <= 2) {
        return Query(data.empty() ? 0 : data[0], data.size() < 2 ? 0 : data[1], reply);
    }
    return link_.SendAndTakeReply(kDeviceAddress, command, data, reply,
                                  DeviceLink::TakesLongWait(command));
}

std::uint8_t DeviceCommands::Query(std::uint8_t selector, std::uint8_t argument, Frame& reply) {
    return link_.Ask(kDeviceAddress, kQueryCode, selector, argument, reply,
                     [selector, argument](const Frame& candidate) {
                         return AnswersQuery(selector, argument, candidate);
                     });
}

}  // namespace hsq
