#include "sim/input_card_replies.h"

#include <algorithm>

#include "commands/reply_decoders.h"
#include "sim/window_fields.h"

namespace hsq::sim {

namespace {

// The card information carries the picture mode in two bits: text with its signal chosen (4)
// goes out as text on (3), which keeps the overlay on and its signal in the high nibble.
std::uint8_t CardInfoByte(const InputCardState& card) {
    const int mode = std::min<int>(card.pictureMode, kTextOn);
    return static_cast<std::uint8_t>(card.subSignal << 4 | card.mainSignal << 2 | mode);
}

ReplyBytes CardInfoReply(const InputCardState& card, std::uint8_t index) {
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(index << 6 | card.thresholdDirection << 5);
    reply[5] = CardInfoByte(card);
    reply[6] = card.brightness;
    reply[7] = card.contrast;
    reply[8] = card.colour;
    reply[9] = card.red;
    reply[10] = card.green;
    reply[11] = card.blue;
    return reply;
}

ReplyBytes WindowReply(const WindowRect& rect, int cardBits) {
    ReplyBytes reply;
    reply.Put(4, InputWindowBytes(rect, cardBits));
    return reply;
}

ReplyBytes SetupReply(const InputCardState& card) {
    ReplyBytes reply;
    reply.Put(5, card.setup);
    return reply;
}

}  // namespace

ReplyBytes InputCardReply(const ProcessorState& state, std::uint8_t selector, std::uint8_t card) {
    if (card >= kInputCards || !state.present.inputs[card])
        return {};
    const InputCardState& input = state.inputs[card];
    switch (selector) {
        case kQueryInputMainWindow:
            return WindowReply(input.mainWindow, card);
        case kQueryInputPipWindow:
            return WindowReply(input.pipWindow, card);
        case kQueryInputCardInfo:
            return CardInfoReply(input, card);
        case kQueryBankInputSetup:
            return SetupReply(input);
        case kQueryBankInputWindow:  // the mode bank layout names no card
            return WindowReply(input.mainWindow, 0);
        case kQueryBankInputWindow2:
            return WindowReply(input.pipWindow, 0);
        default:
            return {};
    }
}

}  // namespace hsq::sim
