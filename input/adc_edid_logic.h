#pragma once

#include <mutex>

#include "commands/device_commands.h"
#include "dialog/dialog_host.h"

namespace hsq {

// The ADC/EDID service panel (CCAdcEdid) without its window: for each input card A to D, start
// its converter adjustment or load the display identification for a VGA or a DVI source. Each
// press is one frame that nothing answers; the panel keeps no state.
class AdcEdidLogic {
  public:
    enum class Edid : std::uint8_t { Vga = 0, Dvi = 2 };

    AdcEdidLogic(DeviceCommands& commands, DialogHost& host) : commands_(commands), host_(host) {}

    void OnAdc(int card);
    void OnEdid(int card, Edid kind);

  private:
    void Send(const std::function<void()>& frame);

    DeviceCommands& commands_;
    DialogHost& host_;
    std::mutex lock_;
};

}  // namespace hsq
