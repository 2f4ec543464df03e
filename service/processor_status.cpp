#include "service/processor_status.h"

#include "app/paced_plan.h"
#include "commands/reply_decoders.h"

namespace hsq {
namespace {

// Any display mode in the selector will do: the reply reports the one in force.
std::optional<std::uint8_t> DisplayModeOf(DeviceCommands& commands, int card) {
    Frame reply{};
    if (commands.Query(kQueryModeData, static_cast<std::uint8_t>(card), reply) != kFrameSize)
        return std::nullopt;
    return DecodeModeData(reply).displayMode;
}

}  // namespace

std::optional<CardPresence> Handshake(DeviceCommands& commands) {
    commands.link().DiscardReply();
    Frame reply{};
    if (!AnsweredWithRetry([&] { return commands.Query(kQueryStatus, 0, reply) == kFrameSize; }))
        return std::nullopt;
    const StatusReport present = DecodeStatus(reply);
    return CardPresence{present.inputPresent, present.outputPresent};
}

std::optional<ProcessorStatus> ReadProcessorStatus(DeviceCommands& commands) {
    const auto presence = Handshake(commands);
    if (!presence) return std::nullopt;
    ProcessorStatus status;
    status.presence = *presence;

    Frame reply{};
    if (commands.Query(kQuerySystem, 0, reply) != kFrameSize) return std::nullopt;
    const auto system = DecodeSystemReport(reply);
    if (!system) return std::nullopt;
    status.outputFormat = system->outputFormat;
    status.resolution = ResolutionOfFormat(system->outputFormat);
    status.clockSource = system->inAKout1;
    status.applicationModes = {system->configModeK, system->configModeL};

    for (int card = 0; card < kOutputCardCount; ++card) {
        if (status.presence.output[card]) status.displayModes[card] = DisplayModeOf(commands, card);
    }
    reply = {};
    if (commands.Query(kQueryInputVersions, 0, reply) == kFrameSize)
        status.inputVersions = DecodeInputVersions(reply);
    reply = {};
    if (commands.Query(kQueryOutputVersions, 0, reply) == kFrameSize)
        status.outputVersions = DecodeOutputVersions(reply);
    return status;
}

}  // namespace hsq
