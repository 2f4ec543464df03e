#pragma once

#include "commands/device_commands.h"
#include "input/press_queue.h"

namespace hsq {

// The ADC/EDID service panel (CCAdcEdid) without its window: for each input card A to D, start
// its converter adjustment or load the display identification for a VGA or a DVI source. Each
// press is one frame that nothing answers, sent in the order pressed without holding up the
// window, so that quick presses all go out; the panel keeps no other state.
class AdcEdidLogic {
  public:
    enum class Edid : std::uint8_t { Vga = 0, Dvi = 2 };

    explicit AdcEdidLogic(DeviceCommands& commands) : commands_(commands) {}

    void OnAdc(int card);
    void OnEdid(int card, Edid kind);

  private:
    DeviceCommands& commands_;
    PressQueue presses_;  // last: its sender ends, the presses sent, before the rest goes
};

}  // namespace hsq
