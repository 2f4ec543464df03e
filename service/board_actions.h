#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "commands/device_commands.h"
#include "link/clock.h"

namespace hsq {

// What a front end without windows asks of one card: carried out as a timer carries out the
// same action (the card's selection, its pause, the command and its pause), so that the command
// line, the remote control and the timers act alike. Each is true when the processor confirmed
// the selection and the command.
class BoardActions {
  public:
    BoardActions(DeviceCommands& commands, Clock& clock) : commands_(commands), clock_(clock) {}

    // board: 0 K, 1 L; mode: 0..15. The pause after it follows the processor's configuration.
    bool Recall(int board, int mode);
    // card: 0..3 for A..D; signal: 0 SDI, 1 DVI, 2 VGA, 3 Video.
    bool SwitchSource(int card, int signal);
    // board: 0..3 for input cards A..D (0..100), 4 and 5 for output cards K and L (0..32).
    bool SetBrightness(int board, int value);

  private:
    DeviceCommands& commands_;
    Clock& clock_;
};

// "sdi", "dvi", "vga", "video" (any case): the signal code; nothing for anything else.
std::optional<int> SignalCode(std::string_view name);
// "A".."D" and "K", "L" (any case): 0..3 and 4, 5; nothing for anything else.
std::optional<int> BoardIndex(std::string_view letter);

}  // namespace hsq
