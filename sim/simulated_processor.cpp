#include "sim/simulated_processor.h"

#include <utility>

#include "sim/command_codes.h"
#include "sim/command_effects.h"
#include "sim/protocol_rules.h"
#include "sim/query_replies.h"

namespace hsq::sim {

SimulatedProcessor::SimulatedProcessor(ProcessorState initial, FaultInjector faults)
    : state_(std::move(initial)), faults_(std::move(faults)) {}

std::optional<Frame> SimulatedProcessor::Reply(const Frame& frame) {
    if (const auto violation = ProtocolViolation(frame, state_.importing)) {
        violations_.push_back(*violation);
        if (report_)
            report_(*violation);
        return std::nullopt;
    }
    const std::uint8_t command = frame[2];
    if (command == kQuery)
        return QueryReply(state_, frame[3], frame[4]);
    ApplyCommand(state_, frame);
    return BuildFrame(kDeviceAddress, command, {});
}

Delivery SimulatedProcessor::Answer(const Frame& frame) {
    std::lock_guard lock(mutex_);
    const std::optional<Frame> reply = Reply(frame);
    if (!reply)
        return {};
    return faults_.Deliver(*reply);
}

std::vector<std::string> SimulatedProcessor::Violations() const {
    std::lock_guard lock(mutex_);
    return violations_;
}

std::vector<std::string> SimulatedProcessor::TakeViolations() {
    std::lock_guard lock(mutex_);
    return std::exchange(violations_, {});
}

void SimulatedProcessor::OnViolation(std::function<void(const std::string&)> report) {
    std::lock_guard lock(mutex_);
    report_ = std::move(report);
}

void SimulatedProcessor::SetFaults(FaultInjector faults) {
    std::lock_guard lock(mutex_);
    faults_ = std::move(faults);
}

void SimulatedProcessor::Restore(ProcessorState state) {
    std::lock_guard lock(mutex_);
    state_ = std::move(state);
}

ProcessorState SimulatedProcessor::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

}  // namespace hsq::sim
