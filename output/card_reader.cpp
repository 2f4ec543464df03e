#include "output/card_reader.h"

#include "commands/reply_decoders.h"
#include "config/output_board_profile.h"

namespace hsq {

OutputCardReader::OutputCardReader(MainWindowState& state, ProfileStore& store,
                                   DeviceCommands& commands, int card)
    : state_(state), store_(store), commands_(commands), card_(card) {}

std::uint8_t OutputCardReader::Selector(int mode, int channel) const {
    return static_cast<std::uint8_t>(mode * 16 + channel * 4 + card_);
}

bool OutputCardReader::Ask(std::uint8_t selector, std::uint8_t argument) {
    Frame reply{};
    if (commands_.Query(selector, argument, reply) != kFrameSize) return false;
    RecordOutputReport(store_, reply);
    return true;
}

bool OutputCardReader::AskEachChannel(std::uint8_t selector, int mode) {
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        if (!Ask(selector, Selector(mode, channel))) return false;
    }
    return true;
}

// The card's own display mode, and after the reload the one it just reported: another card's
// mode would read this card's windows of a mode not in force.
bool OutputCardReader::ReadCard() {
    commands_.link().DiscardReply();
    const int asked = Record().displayMode;
    if (!Ask(kQueryModeData, Selector(asked, 0))) return false;
    if (!AskEachChannel(kQueryClockSource, asked)) return false;
    LoadOutputProfiles(store_, state_.outputs);
    const int mode = Record().displayMode;
    for (std::uint8_t selector :
         {kQueryImageInputWindow, kQueryImageOutputWindow, kQueryImageBorder}) {
        if (!AskEachChannel(selector, mode)) return false;
    }
    return Ask(kQueryOutputBrightness, Selector(mode, 0));
}

void OutputCardReader::ReadRecalledMode(std::uint8_t mode) {
    if (Record().displayMode != mode) {
        SaveOutputProfiles(store_, state_.outputs);
        Record().displayMode = mode;
    }
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        Ask(kQueryImageInputWindow, Selector(mode, channel));
        Ask(kQueryImageOutputWindow, Selector(mode, channel));
    }
    Ask(kQueryModeData, Selector(mode, kOutputChannelCount - 1));
    LoadOutputProfiles(store_, state_.outputs);
    commands_.link().clock().SleepMs(kRecallPauseMs);
}

}  // namespace hsq
