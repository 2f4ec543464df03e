#include "modes/bank_replies.h"

#include "commands/reply_decoders.h"

namespace hsq {
namespace {

bool RecordSystem(ModeBank& bank, const Frame& reply) {
    const auto system = DecodeBankSystem(reply);
    if (!system) return false;
    bank.outputFormat = system->outputFormat;
    bank.clockSource = system->clockSource;
    return true;
}

bool RecordBoardSetup(ModeBank& bank, const Frame& reply) {
    const auto setup = DecodeBankBoardSetup(reply);
    if (!setup || setup->board >= kOutputCardCount) return false;
    bank.outputs[setup->board] = {setup->boardByte, setup->clockByte};
    return true;
}

bool RecordModeSetup(ModeBank& bank, const Frame& reply) {
    const auto setup = DecodeBankModeSetup(reply);
    if (!setup || setup->board >= kOutputCardCount) return false;
    BankMode& mode = bank.modes[setup->mode][setup->board];
    mode.byteA = setup->byteA;
    mode.byteB = setup->byteB;
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        mode.channels[channel].inputPort = setup->ports[channel];
        mode.channels[channel].on = setup->channelOn[channel];
    }
    return true;
}

bool RecordChannelWindow(ModeBank& bank, WindowRect BankChannel::*field, const Frame& reply) {
    const auto window = DecodeBankChannelWindow(reply);
    if (!window || window->board >= kOutputCardCount) return false;
    bank.modes[window->mode][window->board].channels[window->channel].*field = window->rect;
    return true;
}

// The input card replies do not name their card: it is the one asked about.
bool RecordInputCard(ModeBank& bank, std::uint8_t selector, std::uint8_t card,
                     const Frame& reply) {
    if (card >= kInputCardCount) return false;
    BankInputCard& input = bank.inputs[card];
    switch (selector) {
        case kQueryBankInputSetup: input.setup = DecodeBankInputSetup(reply); break;
        case kQueryBankInputWindow: input.first = DecodeBankInputWindow(reply); break;
        default: input.second = DecodeBankInputWindow(reply); break;
    }
    return true;
}

}  // namespace

bool RecordBankReply(ModeBank& bank, std::uint8_t selector, std::uint8_t argument,
                     const Frame& reply) {
    switch (selector) {
        case kQueryBankSystem: return RecordSystem(bank, reply);
        case kQueryBankInputSetup:
        case kQueryBankInputWindow:
        case kQueryBankInputWindow2: return RecordInputCard(bank, selector, argument, reply);
        case kQueryBankBoardSetup: return RecordBoardSetup(bank, reply);
        case kQueryBankModeSetup: return RecordModeSetup(bank, reply);
        case kQueryBankChannelCrop: return RecordChannelWindow(bank, &BankChannel::crop, reply);
        case kQueryBankChannelOutput:
            return RecordChannelWindow(bank, &BankChannel::output, reply);
        default: return false;
    }
}

}  // namespace hsq
