#include "link/device_link.h"

#include <algorithm>
#include <cstring>

#include "link/serial_port_names.h"

namespace hsq {

namespace {

bool NeedsLongWaitForPair(std::uint8_t command) {
    return command == 0xB0 || command == 0x94 || command == 0x9C;
}

}  // namespace

DeviceLink::DeviceLink(Clock& clock) : clock_(clock), tcp_(clock) {}

LinkTransport& DeviceLink::Selected() {
    if (attached_ != nullptr) return *attached_;
    if (useSerial_ != 0) return serial_;
    return tcp_;
}

int DeviceLink::Open(const std::string& ipText, int port, const std::string& portName) {
    std::lock_guard lock(exchange_);
    if (attached_ != nullptr) return 1;
    if (useSerial_ != 0) {
        if (serial_.Open(SerialDevicePath(portName)) == 0) return 0;
        return serial_.Configure(9600, false, 8, 0, 0);
    }
    return tcp_.Connect(ipText, static_cast<std::uint16_t>(port));
}

int DeviceLink::Close() {
    std::lock_guard lock(exchange_);
    Selected().CloseTransport();
    return 1;
}

std::uint8_t DeviceLink::Send(std::uint8_t address, std::uint8_t command,
                              std::span<const std::uint8_t> data) {
    frame_ = BuildFrame(address, command, data);
    const int written = Selected().WriteFrame(frame_.data(), kFrameSize);
    clock_.SleepMs(kSendPauseMs);
    return static_cast<std::uint8_t>(std::clamp(written, 0, kFrameSize));
}

std::uint8_t DeviceLink::Confirm(bool longWait) {
    Frame scratch{};
    return AssembleReply(scratch, longWait ? kLongAttempts : kShortAttempts);
}

std::uint8_t DeviceLink::SendAndConfirm(std::uint8_t address, std::uint8_t command,
                                        std::span<const std::uint8_t> data) {
    if (data.size() > kMaxDataBytes) return 0;
    std::lock_guard lock(exchange_);
    Send(address, command, data);
    return Confirm(command == 0x9C);
}

std::uint8_t DeviceLink::SendPairAndConfirm(std::uint8_t address, std::uint8_t command,
                                            std::uint8_t d0, std::uint8_t d1) {
    const std::uint8_t data[] = {d0, d1};
    std::lock_guard lock(exchange_);
    Send(address, command, data);
    return Confirm(NeedsLongWaitForPair(command));
}

std::uint8_t DeviceLink::SendPair(std::uint8_t address, std::uint8_t command, std::uint8_t d0,
                                  std::uint8_t d1) {
    const std::uint8_t data[] = {d0, d1};
    std::lock_guard lock(exchange_);
    return Send(address, command, data);
}

std::uint8_t DeviceLink::SendBytes(std::uint8_t address, std::uint8_t command,
                                   std::span<const std::uint8_t> data) {
    if (data.size() > kMaxDataBytes) return 0;
    std::lock_guard lock(exchange_);
    return Send(address, command, data);
}

std::uint8_t DeviceLink::ReadOnce(Frame& out) {
    std::lock_guard lock(exchange_);
    reply_.fill(0);
    const int n = Selected().ReadAvailable(reply_.data(), kFrameSize);
    out = reply_;
    return static_cast<std::uint8_t>(std::clamp(n, 0, kFrameSize));
}

// A reply may come in pieces over the serial line; they are put together in order. A single
// read of 13 bytes replaces what was gathered. When a second reply is already queued, a read can
// bring more than the 13 - gathered bytes still missing: the excess is dropped, so the reply
// keeps its own start and the buffer never overflows.
std::uint8_t DeviceLink::AssembleReply(Frame& out, int attempts) {
    std::lock_guard lock(exchange_);
    int gathered = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        Frame part{};
        const int n = ReadOnce(part);
        if (n == kFrameSize) {
            out = part;
            gathered = kFrameSize;
        } else {
            const int taken = std::min(n, kFrameSize - gathered);
            std::memcpy(out.data() + gathered, part.data(), static_cast<std::size_t>(taken));
            gathered += taken;
        }
        if (gathered == kFrameSize) return kFrameSize;
        clock_.SleepMs(kPollPauseMs);
    }
    return 0;
}

std::uint8_t DeviceLink::WaitReply(Frame& out) { return AssembleReply(out, kShortAttempts); }

std::uint8_t DeviceLink::WaitReplyLong(Frame& out) { return AssembleReply(out, kLongAttempts); }

std::uint8_t DeviceLink::DiscardReply() {
    Frame scratch{};
    return ReadOnce(scratch);
}

}  // namespace hsq
