#pragma once

#include <cstdint>
#include <string>

#include "link/link_transport.h"

namespace hsq {

class Clock;

// The serial line over termios. Every transfer and every failing system call writes one trace
// line to standard output.
class CSerialPort final : public LinkTransport {
public:
    CSerialPort();
    // A stalled line is waited out on this clock.
    explicit CSerialPort(Clock& clock);
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the device path exclusively, without waiting for carrier. 1 on success.
    int Open(const std::string& devicePath);
    // parity: 0 none, 1 odd, 2 even, 3 mark, 4 space; stopBits: 0 one, 1 one and a half, 2 two.
    int Configure(std::uint32_t baud, bool parityCheck, std::uint8_t byteSize, std::uint8_t parity,
                  std::uint8_t stopBits);
    // Writes the whole count or, when the line will not take it all in time, discards what went
    // into the driver's queue and returns 0.
    int Write(const std::uint8_t* buffer, int count, int traceMode);
    int Read(std::uint8_t* buffer, int count, int traceMode);
    void Close();
    bool IsOpen() const;
    void LogTraffic(const std::uint8_t* bytes, int count, int traceMode, bool outgoing);
    void ReportLastError();

    int WriteFrame(const std::uint8_t* bytes, int count) override { return Write(bytes, count, 1); }
    int ReadAvailable(std::uint8_t* bytes, int count) override;
    void CloseTransport() override { Close(); }
    bool IsOpenTransport() const override { return IsOpen(); }

private:
    bool WriteWhole(const std::uint8_t* bytes, int count);
    void ReportReadFailure();

    Clock* clock_;
    int handle_ = -1;
    int configured_ = 0;
    // The last read found the device gone; nothing will arrive until the port is opened again.
    bool gone_ = false;
};

// Renders one trace line, without the newline, as LogTraffic writes it.
std::string FormatTraceLine(int hour, int minute, int second, int millisecond,
                            const std::uint8_t* bytes, int count, int traceMode, bool outgoing);

}  // namespace hsq
