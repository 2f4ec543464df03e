#pragma once

#include <optional>
#include <string>

#include "link/command_frame.h"

namespace hsq::sim {

// What is wrong with a whole frame by the processor's protocol: an unknown command or query
// selector, a data byte beyond the command's own (they are zero), a fixed byte that differs, a
// value out of its range, an import command outside an import. Nothing when the frame keeps to
// the protocol.
std::optional<std::string> ProtocolViolation(const Frame& frame, bool importing);

}  // namespace hsq::sim
