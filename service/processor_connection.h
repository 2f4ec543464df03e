#pragma once

#include <memory>
#include <string>

#include "commands/device_commands.h"
#include "config/system_info.h"
#include "link/clock.h"
#include "link/device_link.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq {

// The line a front end without windows talks over: the serial port or TCP address of the
// connection settings, or a simulated processor in the same process.
struct LineChoice {
    enum class Kind { Serial, Tcp, Simulated };
    Kind kind = Kind::Serial;
    std::string port;     // serial: a device path, COMn or a name under /dev
    std::string address;  // TCP: IPv4 address, port 7

    static LineChoice From(const ConnectionSettings& settings);
};

// One link to the processor, opened the way the main window opens it.
class ProcessorConnection {
  public:
    static constexpr int kOpenPauseMs = 1000;
    static constexpr int kProcessorTcpPort = 7;

    explicit ProcessorConnection(Clock& clock, int tcpPort = kProcessorTcpPort);
    ~ProcessorConnection();
    ProcessorConnection(const ProcessorConnection&) = delete;
    ProcessorConnection& operator=(const ProcessorConnection&) = delete;

    // Opens the line and pauses as the processor needs after an open; false with a one-line
    // reason when the line could not be opened.
    bool Open(const LineChoice& line, std::string& error);

    DeviceLink& Link() { return link_; }
    DeviceCommands& Commands() { return commands_; }
    // The simulated processor, when the line is one.
    sim::SimulatedProcessor* Simulated() { return simulated_.get(); }

  private:
    Clock& clock_;
    int tcpPort_;
    DeviceLink link_;
    DeviceCommands commands_{link_};
    std::unique_ptr<sim::SimulatedProcessor> simulated_;
    std::unique_ptr<sim::InProcessTransport> simulatedLine_;
};

}  // namespace hsq
