#include "modes/mode_export.h"

#include "app/paced_plan.h"
#include "commands/reply_decoders.h"
#include "modes/bank_replies.h"

namespace hsq {
namespace {

constexpr int kInputWindowPauseMs = 100;
constexpr int kChannelPauseMs = 200;

class ExportPlanner {
  public:
    ExportPlanner(DeviceCommands& commands, ModeExport& result)
        : commands_(commands), result_(result) {}

    PacedPlan Plan(const CardPresence& present) {
        PacedPlan plan;
        for (int card = 0; card < kInputCardCount; ++card) {
            if (present.input[card]) AddInputCard(plan, static_cast<std::uint8_t>(card));
        }
        for (int card = 0; card < kOutputCardCount; ++card) {
            if (!present.output[card]) continue;
            for (int mode = 0; mode < kDisplayModeCount; ++mode) AddMode(plan, mode, card);
        }
        return plan;
    }

  private:
    void AddInputCard(PacedPlan& plan, std::uint8_t card) {
        plan.push_back(Request(kQueryBankInputSetup, card, 0));
        plan.push_back(Request(kQueryBankInputWindow, card, kInputWindowPauseMs));
        plan.push_back(Request(kQueryBankInputWindow2, card, kInputWindowPauseMs));
    }

    void AddMode(PacedPlan& plan, int mode, int card) {
        plan.push_back(Request(kQueryBankSystem, 0, 0, true));
        plan.push_back(Request(kQueryBankBoardSetup, static_cast<std::uint8_t>(card), 0));
        plan.push_back(Request(kQueryBankModeSetup, static_cast<std::uint8_t>(mode * 16 + card), 0));
        for (int channel = 0; channel < kOutputChannelCount; ++channel) {
            const std::uint8_t selector = ImportChannelSelector(mode, channel, card);
            plan.push_back(Request(kQueryBankChannelCrop, selector, kChannelPauseMs));
            plan.push_back(Request(kQueryBankChannelOutput, selector, kChannelPauseMs));
        }
    }

    PacedStep Request(std::uint8_t selector, std::uint8_t argument, int pauseAfterMs,
                      bool discardFirst = false) {
        return {[this, selector, argument, discardFirst] {
                    if (discardFirst) commands_.link().DiscardReply();
                    Frame reply{};
                    return commands_.Query(selector, argument, reply) == kFrameSize &&
                           RecordBankReply(result_.bank, selector, argument, reply);
                },
                pauseAfterMs};
    }

    DeviceCommands& commands_;
    ModeExport& result_;
};

}  // namespace

ModeExport ExportModes(DeviceCommands& commands, const CardPresence& present,
                       WorkProgress& progress) {
    ModeExport result;
    result.bank.inputListed = present.input;
    result.bank.outputListed = present.output;
    ExportPlanner planner(commands, result);
    const PacedPlan plan = planner.Plan(present);
    commands.link().DiscardReply();
    result.outcome = RunPlan(plan, commands.link(), progress);
    return result;
}

}  // namespace hsq
