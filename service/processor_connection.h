#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "commands/device_commands.h"
#include "config/system_info.h"
#include "link/clock.h"
#include "link/device_link.h"
#include "service/line_client.h"
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

// One link to the processor, opened the way the main window opens it: through the service that
// holds the line when one does, else straight.
class ProcessorConnection {
  public:
    static constexpr int kOpenPauseMs = 1000;
    static constexpr int kProcessorTcpPort = 7;

    explicit ProcessorConnection(Clock& clock, int tcpPort = kProcessorTcpPort);
    ~ProcessorConnection();
    ProcessorConnection(const ProcessorConnection&) = delete;
    ProcessorConnection& operator=(const ProcessorConnection&) = delete;

    // Goes through the service whose socket for this line is in socketFolder (none when it is
    // empty or nothing answers there); else opens the line itself and pauses as the processor
    // needs after an open. False with a one-line reason when the line could not be opened.
    bool Open(const LineChoice& line, const std::filesystem::path& socketFolder,
              std::string& error);
    // Opens the line itself, for the program that will serve it.
    bool OpenDirect(const LineChoice& line, std::string& error);
    // Whether the exchanges go through a service, and whether that service has since ended.
    bool ThroughService() const { return service_ != nullptr; }
    bool ServiceEnded() const { return service_ != nullptr && service_->Gone(); }

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
    std::unique_ptr<LineClient> service_;
};

}  // namespace hsq
