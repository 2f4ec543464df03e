#pragma once

#include "commands/device_commands.h"
#include "dialog/dialog_host.h"
#include "modes/mode_bank.h"

namespace hsq {

// Sends the bank to the processor: the system values, then each card that the bank lists and
// the processor holds, in the order and at the pace it needs. Runs for minutes: behind the
// waiting box, telling progress how far it has got. True when the closing command got its
// reply.
bool ImportModes(DeviceCommands& commands, const ModeBank& bank, const CardPresence& present,
                 Clock& clock, WorkProgress& progress);

}  // namespace hsq
