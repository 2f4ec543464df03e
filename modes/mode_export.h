#pragma once

#include "commands/device_commands.h"
#include "dialog/dialog_host.h"
#include "modes/mode_bank.h"

namespace hsq {

struct ModeExport {
    ModeBank bank;  // the present cards listed
    // Requests whose reply the bank could not take: their fields hold nothing the processor said.
    int unanswered = 0;
};

// Reads the present input cards' settings and every display mode of the present output cards
// from the processor, in the order and at the pace it needs. Runs for minutes: behind the
// waiting box, telling progress how far it has got.
ModeExport ExportModes(DeviceCommands& commands, const CardPresence& present, Clock& clock,
                       WorkProgress& progress);

}  // namespace hsq
