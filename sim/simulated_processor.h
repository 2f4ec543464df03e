#pragma once

#include <mutex>

#include "link/command_frame.h"
#include "sim/fault_injector.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// The processor behind the link: applies each frame to its state and answers it with exactly
// one 13-byte reply. A query gets the reply its selector asks for; every other command is
// acknowledged with [0x86, 0x01, command, 0 x 9, checksum]. Several transports may share one
// processor: frames are answered one at a time.
class SimulatedProcessor {
  public:
    explicit SimulatedProcessor(ProcessorState initial = ProcessorState{},
                                FaultInjector faults = FaultInjector{});

    // The reply to one whole frame, as the fault injector lets it go out.
    Delivery Answer(const Frame& frame);

    ProcessorState Snapshot() const;
    // Changes the faults from the next frame on.
    void SetFaults(FaultInjector faults);

  private:
    Frame Reply(const Frame& frame);

    mutable std::mutex mutex_;
    ProcessorState state_;
    FaultInjector faults_;
};

}  // namespace hsq::sim
