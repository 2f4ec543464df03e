#include "sim/simulated_processor.h"

#include <utility>

#include "sim/command_codes.h"
#include "sim/command_effects.h"
#include "sim/query_replies.h"

namespace hsq::sim {

SimulatedProcessor::SimulatedProcessor(ProcessorState initial, FaultInjector faults)
    : state_(std::move(initial)), faults_(std::move(faults)) {}

Frame SimulatedProcessor::Reply(const Frame& frame) {
    const std::uint8_t command = frame[2];
    if (command == kQuery)
        return QueryReply(state_, frame[3], frame[4]);
    ApplyCommand(state_, frame);
    return BuildFrame(kDeviceAddress, command, {});
}

Delivery SimulatedProcessor::Answer(const Frame& frame) {
    std::lock_guard lock(mutex_);
    return faults_.Deliver(Reply(frame));
}

void SimulatedProcessor::SetFaults(FaultInjector faults) {
    std::lock_guard lock(mutex_);
    faults_ = std::move(faults);
}

ProcessorState SimulatedProcessor::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

}  // namespace hsq::sim
