#pragma once

#include <cstdint>
#include <string>

#include "link/link_transport.h"

namespace hsq {

// The serial line over termios. Every transfer and every failing system call writes one trace
// line to standard output.
class CSerialPort final : public LinkTransport {
public:
    CSerialPort() = default;
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the device path exclusively, without waiting for carrier. 1 on success.
    int Open(const std::string& devicePath);
    // parity: 0 none, 1 odd, 2 even, 3 mark, 4 space; stopBits: 0 one, 1 one and a half, 2 two.
    int Configure(std::uint32_t baud, bool parityCheck, std::uint8_t byteSize, std::uint8_t parity,
                  std::uint8_t stopBits);
    int Write(const std::uint8_t* buffer, int count, int traceMode);
    int Read(std::uint8_t* buffer, int count, int traceMode);
    void Close();
    bool IsOpen() const;
    void LogTraffic(const std::uint8_t* bytes, int count, int traceMode, bool outgoing);
    void ReportLastError();

    int WriteFrame(const std::uint8_t* bytes, int count) override { return Write(bytes, count, 1); }
    int ReadAvailable(std::uint8_t* bytes, int count) override { return Read(bytes, count, 1); }
    void CloseTransport() override { Close(); }

private:
    int handle_ = -1;
    int configured_ = 0;
};

// Renders one trace line, without the newline, as LogTraffic writes it.
std::string FormatTraceLine(int hour, int minute, int second, int millisecond,
                            const std::uint8_t* bytes, int count, int traceMode, bool outgoing);

}  // namespace hsq
