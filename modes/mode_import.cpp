#include "modes/mode_import.h"

#include "app/paced_plan.h"

namespace hsq {
namespace {

constexpr int kImportPauseMs = 50;

std::uint8_t OnBits(const BankMode& mode) {
    std::uint8_t bits = 0;
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        if (mode.channels[channel].on) bits |= static_cast<std::uint8_t>(1 << channel);
    }
    return bits;
}

std::array<std::uint8_t, 4> Ports(const BankMode& mode) {
    std::array<std::uint8_t, 4> ports{};
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        ports[channel] = mode.channels[channel].inputPort;
    return ports;
}

void AddInputCard(PacedPlan& plan, DeviceCommands& commands, const BankInputCard& input,
                  std::uint8_t card) {
    plan.push_back({[&commands, &input, card] {
                        return commands.ImportInputSetup(card, input.setup) == kFrameSize;
                    },
                    kImportPauseMs});
    plan.push_back({[&commands, &input, card] {
                        return commands.ImportInputWindow(card, input.first) == kFrameSize;
                    },
                    kImportPauseMs});
    plan.push_back({[&commands, &input, card] {
                        return commands.ImportInputWindow2(card, input.second) == kFrameSize;
                    },
                    0});
}

void AddMode(PacedPlan& plan, DeviceCommands& commands, const BankMode& mode, int number,
             int card) {
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        const BankChannel& layout = mode.channels[channel];
        const std::uint8_t selector = ImportChannelSelector(number, channel, card);
        plan.push_back({[&commands, &layout, selector] {
                            return commands.ImportChannelCropWindow(selector, layout.crop) ==
                                   kFrameSize;
                        },
                        kImportPauseMs});
        plan.push_back({[&commands, &layout, selector] {
                            return commands.ImportChannelOutputWindow(selector, layout.output) ==
                                   kFrameSize;
                        },
                        kImportPauseMs});
    }
    const auto board = static_cast<std::uint8_t>(card);
    const auto modeNumber = static_cast<std::uint8_t>(number);
    plan.push_back({[&commands, &mode, board, modeNumber] {
                        return commands.ImportModeSetup(board, modeNumber, mode.byteA, Ports(mode),
                                                        OnBits(mode)) == kFrameSize;
                    },
                    kImportPauseMs});
}

void AddOutputCard(PacedPlan& plan, DeviceCommands& commands, const ModeBank& bank, int card) {
    const BankOutputCard& output = bank.outputs[card];
    const auto board = static_cast<std::uint8_t>(card);
    plan.push_back({[&commands, &output, board] {
                        return commands.ImportOutputSetup(board, output.boardByte,
                                                          output.clockByte) == kFrameSize;
                    },
                    kImportPauseMs});
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        AddMode(plan, commands, bank.modes[mode][card], mode, card);
}

}  // namespace

PlanOutcome ImportModes(DeviceCommands& commands, const ModeBank& bank, const CardPresence& present,
                        WorkProgress& progress) {
    PacedPlan plan;
    plan.push_back({[&commands] { return commands.ImportBegin() == kFrameSize; }, 0});
    plan.push_back({[&commands, &bank] {
                        return commands.ImportSystem(bank.outputFormat, bank.clockSource) ==
                               kFrameSize;
                    },
                    0});
    for (int card = 0; card < kInputCardCount; ++card) {
        if (bank.inputListed[card] && present.input[card])
            AddInputCard(plan, commands, bank.inputs[card], static_cast<std::uint8_t>(card));
    }
    for (int card = 0; card < kOutputCardCount; ++card) {
        if (bank.outputListed[card] && present.output[card])
            AddOutputCard(plan, commands, bank, card);
    }
    plan.push_back({[&commands] { return commands.ImportEnd() == kFrameSize; }, 0, true});
    return RunPlan(plan, commands.link(), progress);
}

}  // namespace hsq
