#include "output/card_reader.h"

#include "commands/reply_decoders.h"

namespace hsq {

OutputCardReader::OutputCardReader(ProfileStore& store, DeviceCommands& commands, int card)
    : store_(store), commands_(commands), card_(card) {}

std::uint8_t OutputCardReader::Selector(int mode, int channel) const {
    return static_cast<std::uint8_t>(mode * 16 + channel * 4 + card_);
}

// The mode is read when the step runs: the later steps of a card read ask at the mode the first
// one reported.
PacedStep OutputCardReader::Ask(std::uint8_t selector, const int& mode, int channel,
                                int pauseAfterMs) {
    return {[this, selector, &mode, channel] {
                Frame reply{};
                if (commands_.Query(selector, Selector(mode, channel), reply) != kFrameSize)
                    return false;
                replies_.push_back(reply);
                return true;
            },
            pauseAfterMs};
}

// Every reply goes into the file in one replacement, and the record is loaded from it, only
// once the whole plan was answered.
PlanOutcome OutputCardReader::Run(const PacedPlan& plan, OutputBoardRecord& record,
                                  WorkProgress& progress) {
    replies_.clear();
    const PlanOutcome outcome = RunPlan(plan, commands_.link(), progress);
    if (!outcome.Done()) return outcome;
    {
        ProfileBatch batch(store_);
        for (const Frame& reply : replies_) RecordOutputReport(store_, reply);
        batch.Commit();
    }
    LoadOutputProfile(store_, static_cast<std::uint8_t>(card_ + 1), record);
    return outcome;
}

// Asked at the card's own display mode, then read at the one it reports: another mode would
// read windows of a mode not in force.
PlanOutcome OutputCardReader::ReadCard(OutputBoardRecord& record, WorkProgress& progress) {
    commands_.link().DiscardReply();
    const int asked = record.displayMode;
    int reported = asked;
    PacedPlan plan;
    PacedStep modeData = Ask(kQueryModeData, asked, 0);
    plan.push_back({[this, &reported, ask = modeData.exchange] {
                        if (!ask()) return false;
                        reported = DecodeModeData(replies_.back()).displayMode;
                        return true;
                    },
                    0});
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        plan.push_back(Ask(kQueryClockSource, asked, channel));
    for (std::uint8_t selector :
         {kQueryImageInputWindow, kQueryImageOutputWindow, kQueryImageBorder}) {
        for (int channel = 0; channel < kOutputChannelCount; ++channel)
            plan.push_back(Ask(selector, reported, channel));
    }
    plan.push_back(Ask(kQueryOutputBrightness, reported, 0));
    return Run(plan, record, progress);
}

PlanOutcome OutputCardReader::Recall(std::uint8_t mode, OutputBoardRecord& record,
                                     WorkProgress& progress) {
    const int recalled = mode;
    PacedPlan plan;
    plan.push_back({[this, mode] { return commands_.RecallMode(mode, false) == kFrameSize; },
                    kRecallCommandPauseMs});
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        plan.push_back(Ask(kQueryImageInputWindow, recalled, channel));
        plan.push_back(Ask(kQueryImageOutputWindow, recalled, channel));
    }
    plan.push_back(Ask(kQueryModeData, recalled, kOutputChannelCount - 1, kRecallPauseMs));
    return Run(plan, record, progress);
}

}  // namespace hsq
