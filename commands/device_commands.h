#pragma once

#include <array>
#include <cstdint>

#include "commands/window_rect.h"
#include "link/device_link.h"

namespace hsq {

// One operation per processor command, each exactly one send of the link (plus the reply wait
// of a query). Results are the link's: 13 on success, 0 otherwise.
class DeviceCommands {
  public:
    explicit DeviceCommands(DeviceLink& link) : link_(link) {}

    // Input card (acts on the card chosen last with SelectInputCard).
    std::uint8_t SelectInputCard(std::uint8_t card);
    std::uint8_t SetMainSource(std::uint8_t port);
    std::uint8_t SetPipEnable(bool on);
    std::uint8_t SetPipSource(std::uint8_t port);
    std::uint8_t SetTextEnable(bool on);
    std::uint8_t SetTextSource(std::uint8_t port);
    std::uint8_t SetMainWindow(const WindowRect& rect);
    std::uint8_t SetPipWindow(const WindowRect& rect);
    std::uint8_t SetInputBrightness(std::uint8_t value);
    std::uint8_t SetInputContrast(std::uint8_t value);
    std::uint8_t SetInputColour(std::uint8_t value);
    // direction: 1 ">Threshold", 0 "<Threshold".
    std::uint8_t SetCaptionKey(std::uint8_t direction, std::uint8_t red, std::uint8_t green,
                               std::uint8_t blue);
    std::uint8_t VgaAutoAdjust();

    // Output board (acts on the board chosen last with SelectOutputBoard).
    std::uint8_t SelectOutputBoard(std::uint8_t board, std::uint8_t image);
    // stored: true when a stored mode is called up, false when the edited mode is switched.
    std::uint8_t RecallMode(std::uint8_t mode, bool stored);
    std::uint8_t SetImageSource(std::uint8_t image, std::uint8_t source);
    std::uint8_t SelectImage(std::uint8_t image);
    std::uint8_t SetImageInputWindow(std::uint8_t image, const WindowRect& rect);
    std::uint8_t SetImageOutputWindow(std::uint8_t image, const WindowRect& rect);
    std::uint8_t SetImageBorder(std::uint8_t image, bool on, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue, std::uint8_t width);
    std::uint8_t SetApplicationMode(std::uint8_t mode);
    std::uint8_t ResetHdmi();
    std::uint8_t SetSynchronization(bool open);
    std::uint8_t SetOutputFormat(std::uint8_t format, std::uint8_t modeK, std::uint8_t modeL);
    std::uint8_t SetOutputBrightness(std::uint8_t value);
    std::uint8_t CopyMode(std::uint8_t current, std::uint8_t target);
    std::uint8_t SetMute(bool on);
    // 0 "In-A", 1 "K.Out1".
    std::uint8_t SetMatrixReference(std::uint8_t reference);
    std::uint8_t SetOverlay(bool overlayMatrix);
    std::uint8_t ShowAllImages();
    std::uint8_t SetSwitchMode(std::uint8_t seconds);

    // Display mode import.
    std::uint8_t ImportBegin();
    std::uint8_t ImportSystem(std::uint8_t format, std::uint8_t clockSource);
    std::uint8_t ImportInputSetup(std::uint8_t card, const std::array<std::uint8_t, 3>& setup);
    std::uint8_t ImportInputWindow(std::uint8_t card, const WindowRect& rect);
    std::uint8_t ImportInputWindow2(std::uint8_t card, const WindowRect& rect);
    std::uint8_t ImportOutputSetup(std::uint8_t board, std::uint8_t boardByte,
                                   std::uint8_t clockByte);
    // onOffBits: channel k's flag in bit k.
    std::uint8_t ImportModeSetup(std::uint8_t board, std::uint8_t mode, std::uint8_t byteA,
                                 const std::array<std::uint8_t, 4>& ports, std::uint8_t onOffBits);
    // selector: ImportChannelSelector(mode, channel, board).
    std::uint8_t ImportChannelOutputWindow(std::uint8_t selector, const WindowRect& rect);
    std::uint8_t ImportChannelCropWindow(std::uint8_t selector, const WindowRect& rect);
    std::uint8_t ImportEnd();

    // ADC and EDID: sent without reading a reply.
    std::uint8_t AdcCalibrate(std::uint8_t input);
    // kind: 0 "VGA", 2 "DVI".
    std::uint8_t WriteEdid(std::uint8_t input, std::uint8_t kind);

    // Sends [selector, argument] and assembles the reply into the caller's buffer: 13 only for
    // a reply that answers this question (its addressing fields match the question).
    std::uint8_t Query(std::uint8_t selector, std::uint8_t argument, Frame& reply);

    // Any frame an operator types: sent as given, and its reply taken as a confirmed command's is
    // (a query's only when it answers the question; the long wait where the command has one).
    std::uint8_t Exchange(std::uint8_t command, std::span<const std::uint8_t> data, Frame& reply);

    DeviceLink& link() { return link_; }

  private:
    std::uint8_t Confirmed(std::uint8_t command, std::uint8_t d0, std::uint8_t d1);
    std::uint8_t ConfirmedBytes(std::uint8_t command, std::span<const std::uint8_t> data);
    std::uint8_t ConfirmedWindow(std::uint8_t command, std::uint8_t selector,
                                 const WindowRect& rect);

    DeviceLink& link_;
};

}  // namespace hsq
