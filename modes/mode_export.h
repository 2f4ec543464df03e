#pragma once

#include "app/paced_plan.h"
#include "commands/device_commands.h"
#include "dialog/dialog_host.h"
#include "modes/mode_bank.h"

namespace hsq {

struct ModeExport {
    ModeBank bank;  // the present cards listed
    // Stopped at a request whose reply the bank could not take: the bank is then incomplete.
    PlanOutcome outcome;
};

// Reads the present input cards' settings and every display mode of the present output cards
// from the processor, in the order and at the pace it needs. Runs for minutes: behind the
// waiting box, telling progress how far it has got.
ModeExport ExportModes(DeviceCommands& commands, const CardPresence& present,
                       WorkProgress& progress);

}  // namespace hsq
