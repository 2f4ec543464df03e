#pragma once

#include "app/paced_plan.h"
#include "commands/device_commands.h"
#include "dialog/dialog_host.h"
#include "modes/mode_bank.h"

namespace hsq {

// Sends the bank to the processor: the system values, then each card that the bank lists and
// the processor holds, in the order and at the pace it needs. Runs for minutes: behind the
// waiting box, telling progress how far it has got. Done only when every command was confirmed;
// otherwise the processor holds the file as far as the plan got.
PlanOutcome ImportModes(DeviceCommands& commands, const ModeBank& bank,
                        const CardPresence& present, WorkProgress& progress);

}  // namespace hsq
