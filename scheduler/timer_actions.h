#pragma once

#include <functional>

#include "commands/device_commands.h"
#include "link/clock.h"
#include "scheduler/timer_record.h"

namespace hsq {

// Sends a timer's commands to each of its boards in list order: the board's selection, 100 ms,
// the section's command, then its pause (100 ms; after a recall 6000 ms when input cards also
// respond, else 500 ms). A timer goes on to its next board whatever the processor said; the
// command line, which carries out one action the same way, is told whether all were confirmed.
// A board outside the section's cards, or a value outside what the processor accepts (such as
// output brightness 0xFF), sends nothing for that board.
class TimerActions {
  public:
    // stop cuts a pause short and leaves out the rest of the timer (the worker being stopped).
    TimerActions(DeviceCommands& commands, Clock& clock, Cancellation& stop)
        : commands_(commands), clock_(clock), stop_(stop) {}

    // stillWanted is asked before each board: when it says no (the timer's section was stopped
    // meanwhile), the rest is left out, as after a stop. An exchange under way is finished.
    // True when every board's selection and command was sent and confirmed.
    bool CarryOut(const TimerRecord& record, bool inputCardAlsoResponds,
                  const std::function<bool()>& stillWanted = {});

  private:
    enum class Sent { Confirmed, Unconfirmed, CutShort };
    Sent Send(std::uint8_t board, const std::function<std::uint8_t(DeviceCommands&)>& command,
              int pauseAfterMs);
    bool Pause(int ms);

    DeviceCommands& commands_;
    Clock& clock_;
    Cancellation& stop_;
};

}  // namespace hsq
