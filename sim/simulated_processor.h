#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/command_frame.h"
#include "sim/fault_injector.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// The processor behind the link: applies each frame to its state and answers it with exactly
// one 13-byte reply. A query gets the reply its selector asks for; every other command is
// acknowledged with [0x86, 0x01, command, 0 x 9, checksum]. A frame that breaks the protocol
// changes nothing, gets no answer and is counted, so that a test can tell a wrong frame from a
// right one. Several transports may share one processor: frames are answered one at a time.
class SimulatedProcessor {
  public:
    explicit SimulatedProcessor(ProcessorState initial = ProcessorState{},
                                FaultInjector faults = FaultInjector{});

    // The reply to one whole frame, as the fault injector lets it go out.
    Delivery Answer(const Frame& frame);

    ProcessorState Snapshot() const;
    // Puts the whole state back as given (a test setting up a processor it needs).
    void Restore(ProcessorState state);
    // Changes the faults from the next frame on.
    void SetFaults(FaultInjector faults);

    // The protocol violations seen so far, oldest first.
    std::vector<std::string> Violations() const;
    // The same, forgotten from here on: for a test that breaks the protocol on purpose.
    std::vector<std::string> TakeViolations();
    // Told of each violation as it is seen.
    void OnViolation(std::function<void(const std::string&)> report);

  private:
    std::optional<Frame> Reply(const Frame& frame);

    mutable std::mutex mutex_;
    ProcessorState state_;
    FaultInjector faults_;
    std::vector<std::string> violations_;
    std::function<void(const std::string&)> report_;
};

}  // namespace hsq::sim
