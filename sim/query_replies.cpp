#include "sim/query_replies.h"

#include "commands/reply_decoders.h"
#include "sim/input_card_replies.h"
#include "sim/output_board_replies.h"
#include "sim/reply_bytes.h"

namespace hsq::sim {

namespace {

std::uint8_t Bits(const std::array<bool, kInputCards>& flags) {
    std::uint8_t bits = 0;
    for (int i = 0; i < kInputCards; ++i)
        bits |= static_cast<std::uint8_t>(flags[i] ? 1 << i : 0);
    return bits;
}

ReplyBytes StatusReply(const ProcessorState& state) {
    ReplyBytes reply;
    const std::uint8_t inputs = Bits(state.present.inputs);
    const std::uint8_t listed = inputs | Bits(state.listedButAbsent);
    const int outputs = (state.present.outputs[0] ? 1 : 0) | (state.present.outputs[1] ? 2 : 0);
    reply[4] = static_cast<std::uint8_t>(listed | outputs << 4);
    reply[5] = static_cast<std::uint8_t>(~inputs & 0x0F);
    reply[6] = static_cast<std::uint8_t>(inputs & ~Bits(state.silent));
    return reply;
}

ReplyBytes SystemReply(const ProcessorState& state) {
    ReplyBytes reply;
    reply[5] = state.outputFormat;
    reply[6] = state.matrixReference;
    reply[7] = state.outputs[0].applicationMode;
    reply[8] = state.outputs[1].applicationMode;
    reply[10] =
        static_cast<std::uint8_t>((state.configFlag0 ? 1 : 0) | (state.configFlag1 ? 2 : 0));
    return reply;
}

ReplyBytes IpAddressReply(const ProcessorState& state) {
    ReplyBytes reply;
    reply.Put(4, state.ipAddress);
    return reply;
}

ReplyBytes BankSystemReply(const ProcessorState& state) {
    ReplyBytes reply;
    reply[5] = state.outputFormat;
    reply[6] = state.matrixReference;
    return reply;
}

// A card that is not there reports version 0.
ReplyBytes OutputVersionsReply(const ProcessorState& state) {
    ReplyBytes reply;
    for (int board = 0; board < kOutputBoards; ++board) {
        if (!state.present.outputs[board])
            continue;
        reply[3 + 2 * board] = state.outputs[board].firmware.major;
        reply[4 + 2 * board] = state.outputs[board].firmware.minor;
    }
    return reply;
}

// Second byte of a card: minor number in the low nibble, patch number in the high one.
ReplyBytes InputVersionsReply(const ProcessorState& state) {
    ReplyBytes reply;
    for (int card = 0; card < kInputCards; ++card) {
        if (!state.present.inputs[card])
            continue;
        const FirmwareVersion& version = state.inputs[card].firmware;
        reply[3 + 2 * card] = version.major;
        reply[4 + 2 * card] =
            static_cast<std::uint8_t>(version.patch << 4 | (version.minor & 0x0F));
    }
    return reply;
}

ReplyBytes Reply(const ProcessorState& state, std::uint8_t selector, std::uint8_t argument) {
    switch (selector) {
        case kQueryStatus:
            return StatusReply(state);
        case kQuerySystem:
            return SystemReply(state);
        case kQueryIpAddress:
            return IpAddressReply(state);
        case kQueryBankSystem:
            return BankSystemReply(state);
        case kQueryOutputVersions:
            return OutputVersionsReply(state);
        case kQueryInputVersions:
            return InputVersionsReply(state);
        case kQueryInputMainWindow:
        case kQueryInputPipWindow:
        case kQueryInputCardInfo:
        case kQueryBankInputSetup:
        case kQueryBankInputWindow:
        case kQueryBankInputWindow2:
            return InputCardReply(state, selector, argument);
        default:
            return OutputBoardReply(state, selector, argument);
    }
}

}  // namespace

Frame QueryReply(const ProcessorState& state, std::uint8_t selector, std::uint8_t argument) {
    return Reply(state, selector, argument).ToFrame();
}

}  // namespace hsq::sim
