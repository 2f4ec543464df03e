#include "service/processor_connection.h"

#include "link/serial_port_names.h"
#include "service/line_socket.h"

namespace hsq {

LineChoice LineChoice::From(const ConnectionSettings& settings) {
    LineChoice line;
    line.kind = settings.serial ? Kind::Serial : Kind::Tcp;
    line.port = settings.portName;
    line.address = settings.ip;
    return line;
}

ProcessorConnection::ProcessorConnection(Clock& clock, int tcpPort)
    : clock_(clock), tcpPort_(tcpPort), link_(clock) {}

ProcessorConnection::~ProcessorConnection() {
    link_.Close();
    link_.AttachRemote(nullptr);
    link_.AttachTransport(nullptr);
}

bool ProcessorConnection::Open(const LineChoice& line, const std::filesystem::path& socketFolder,
                               std::string& error) {
    if (line.kind != LineChoice::Kind::Simulated && !socketFolder.empty()) {
        service_ = LineClient::Connect(LineSocketPath(socketFolder, line));
        if (service_) {
            link_.AttachRemote(service_.get());
            return true;
        }
    }
    return OpenDirect(line, error);
}

bool ProcessorConnection::OpenDirect(const LineChoice& line, std::string& error) {
    if (line.kind == LineChoice::Kind::Simulated) {
        simulated_ = std::make_unique<sim::SimulatedProcessor>();
        simulatedLine_ = std::make_unique<sim::InProcessTransport>(*simulated_, clock_);
        link_.AttachTransport(simulatedLine_.get());
        return link_.Open({}, 0, {}) == 1;
    }
    const bool serial = line.kind == LineChoice::Kind::Serial;
    if (!serial && line.address.empty()) {
        error = "no address of the processor: give --tcp ADDRESS or set \"IP\" in \"Connect\"";
        return false;
    }
    link_.SetUseSerial(serial ? 1 : 0);
    if (link_.Open(line.address, tcpPort_, line.port) == 0) {
        error = serial ? "cannot open the serial port " + SerialDevicePath(line.port)
                       : "cannot connect to " + line.address + " port " + std::to_string(tcpPort_);
        return false;
    }
    clock_.SleepMs(kOpenPauseMs);
    return true;
}

}  // namespace hsq
