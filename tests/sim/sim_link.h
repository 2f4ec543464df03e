#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "commands/device_commands.h"
#include "link/device_link.h"
#include "sim/command_codes.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq::sim::testing {

// The simulated processor straight behind the application's link, on virtual time.
struct SimLink {
    explicit SimLink(ProcessorState state = ProcessorState{}, FaultInjector faults = {})
        : processor(std::move(state), std::move(faults)),
          transport(processor, clock),
          link(clock),
          commands(link) {
        link.AttachTransport(&transport);
    }
    // Whatever the test did, the application kept to the processor's protocol. A test that
    // breaks it on purpose takes the violations it caused.
    ~SimLink() { EXPECT_EQ(processor.Violations(), std::vector<std::string>{}); }
    SimLink(const SimLink&) = delete;
    SimLink& operator=(const SimLink&) = delete;

    // A query the caller expects answered; the reply's own decoder reads it.
    Frame Ask(std::uint8_t selector, std::uint8_t argument = 0) {
        Frame reply{};
        EXPECT_EQ(commands.Query(selector, argument, reply), kFrameSize)
            << "query " << int{selector};
        return reply;
    }

    VirtualClock clock;
    SimulatedProcessor processor;
    InProcessTransport transport;
    DeviceLink link;
    DeviceCommands commands;
};

// Frame for command code with data, as the application would send it.
inline Frame CommandFrame(std::uint8_t code, std::initializer_list<std::uint8_t> data) {
    return BuildFrame(kDeviceAddress, code,
                      std::span<const std::uint8_t>(data.begin(), data.size()));
}

}  // namespace hsq::sim::testing
