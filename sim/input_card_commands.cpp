#include "sim/input_card_commands.h"

#include "sim/command_codes.h"
#include "sim/window_fields.h"

namespace hsq::sim {

namespace {

bool IsPerCardCommand(std::uint8_t code) {
    return (code >= kSetMainSource && code <= kSetCaptionKey) || code == kVgaAutoAdjust;
}

// The PIP and the text overlay are never on together: switching one on replaces the other.
void SwitchOverlay(InputCardState& card, std::uint8_t on, PictureMode onMode,
                   PictureMode withSourceMode) {
    if (!IsFlag(on))
        return;
    const bool isOn = card.pictureMode == onMode || card.pictureMode == withSourceMode;
    if (on == 1 || isOn) {
        card.pictureMode = on == 1 ? onMode : kMainOnly;
        card.subSignal = kNoSignal;
    }
}

// The source of an overlay that is off has nowhere to go.
void SetOverlaySource(InputCardState& card, std::uint8_t signal, PictureMode onMode,
                      PictureMode withSourceMode) {
    const bool isOn = card.pictureMode == onMode || card.pictureMode == withSourceMode;
    if (isOn && signal <= kHighestSignal) {
        card.pictureMode = withSourceMode;
        card.subSignal = signal;
    }
}

void SetWindow(WindowRect& window, const Frame& frame) {
    const WindowRect rect = WindowFromCommand(frame);
    if (FitsInputReport(rect))
        window = rect;
}

void SetCaptionKey(InputCardState& card, const Frame& frame) {
    if (!IsFlag(frame[4]))
        return;
    card.thresholdDirection = frame[4];
    card.red = frame[5];
    card.green = frame[6];
    card.blue = frame[7];
}

void ApplyToCard(InputCardState& card, const Frame& frame) {
    const std::uint8_t value = frame[4];
    switch (frame[2]) {
        case kSetMainSource:
            if (value <= kHighestSignal)
                card.mainSignal = value;
            break;
        case kSetPipEnable:
            SwitchOverlay(card, value, kPipOn, kPipWithSource);
            break;
        case kSetPipSource:
            SetOverlaySource(card, value, kPipOn, kPipWithSource);
            break;
        case kSetTextEnable:
            SwitchOverlay(card, value, kTextOn, kTextWithSource);
            break;
        case kSetTextSource:
            SetOverlaySource(card, value, kTextOn, kTextWithSource);
            break;
        case kSetMainWindow:
            SetWindow(card.mainWindow, frame);
            break;
        case kSetPipWindow:
            SetWindow(card.pipWindow, frame);
            break;
        case kSetInputBrightness:
            card.brightness = value;
            break;
        case kSetInputContrast:
            card.contrast = value;
            break;
        case kSetInputColour:
            card.colour = value;
            break;
        case kSetCaptionKey:
            SetCaptionKey(card, frame);
            break;
        default:  // the VGA adjustment leaves nothing that can be read back
            break;
    }
}

}  // namespace

bool ApplyInputCardCommand(ProcessorState& state, const Frame& frame) {
    const std::uint8_t code = frame[2];
    if (code == kSelectInputCard) {
        if (frame[3] < kInputCards)
            state.selectedInputCard = frame[3];
        return true;
    }
    if (!IsPerCardCommand(code))
        return false;
    const int card = state.selectedInputCard;
    if (state.present.inputs[card])
        ApplyToCard(state.inputs[card], frame);
    return true;
}

}  // namespace hsq::sim
