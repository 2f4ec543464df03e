#include "link/device_link.h"

#include <algorithm>

#include "link/serial_port_names.h"

namespace hsq {

namespace {

// Bounds one poll's reading (and one drain), so that a line that never stops talking cannot
// hold an exchange for ever.
constexpr int kMostBytesPerRead = 255;

bool AnyReply(const Frame&) {
    return true;
}

}  // namespace

DeviceLink::DeviceLink(Clock& clock)
    : clock_(clock), tcp_(clock), serial_(clock), startMs_(clock.NowMs()) {}

LinkTransport& DeviceLink::Selected() {
    if (attached_ != nullptr) return *attached_;
    if (useSerial_ != 0) return serial_;
    return tcp_;
}

int DeviceLink::Open(const std::string& ipText, int port, const std::string& portName) {
    std::lock_guard lock(exchange_);
    checksums_.Reset();
    replyOwed_ = false;
    unansweredRun_ = 0;
    deviceGone_ = false;
    if (attached_ != nullptr) return 1;
    if (useSerial_ != 0) {
        if (serial_.Open(SerialDevicePath(portName)) == 0) return 0;
        return serial_.Configure(9600, false, 8, 0, 0);
    }
    return tcp_.Connect(ipText, static_cast<std::uint16_t>(port));
}

int DeviceLink::Close() {
    std::lock_guard lock(exchange_);
    if (remote_ != nullptr) {
        remote_->Disconnect();
        remote_ = nullptr;
        return 1;
    }
    Selected().CloseTransport();
    return 1;
}

void DeviceLink::AttachRemote(RemoteLine* remote) {
    std::lock_guard lock(exchange_);
    remote_ = remote;
    unansweredRun_ = 0;
    deviceGone_ = false;
}

bool DeviceLink::IsRemote() const {
    std::lock_guard lock(exchange_);
    return remote_ != nullptr;
}

std::uint8_t DeviceLink::Carried(ExchangeKind kind, std::uint8_t address, std::uint8_t command,
                                 std::span<const std::uint8_t> data, Frame& reply) {
    frame_ = BuildFrame(address, command, data);
    const bool waited = kind == ExchangeKind::Reply || kind == ExchangeKind::ReplyLong ||
                        kind == ExchangeKind::Query;
    if (waited) NoteFrame(true);
    const std::uint8_t result = remote_->Carry(kind, frame_, reply);
    if (kind == ExchangeKind::Send) NoteFrame(result == kFrameSize);
    if (!waited) return result;
    // The holder hands back what it gathered of a reply that never came whole.
    if (result == kFrameSize) {
        NoteReply(TrafficOutcome::Complete, reply, kFrameSize);
    } else if (reply != Frame{}) {
        NoteReply(TrafficOutcome::Incomplete, reply, kFrameSize);
    } else {
        NoteReply(TrafficOutcome::NoReply, reply, 0);
    }
    return Counted(result);
}

void DeviceLink::NoteFrame(bool written) {
    if (!traffic_.Recording()) return;
    frameSentMs_ = clock_.NowMs();
    TrafficEntry entry;
    entry.timeMs = frameSentMs_ - startMs_;
    entry.bytes = frame_;
    entry.command = frame_[2];
    entry.selector = frame_[3];
    entry.outcome = written ? TrafficOutcome::Written : TrafficOutcome::NotWritten;
    traffic_.Record(entry);
}

void DeviceLink::NoteReply(TrafficOutcome outcome, const Frame& bytes, std::uint8_t count) {
    if (!traffic_.Recording()) return;
    const std::int64_t now = clock_.NowMs();
    TrafficEntry entry;
    entry.timeMs = now - startMs_;
    entry.waitedMs = static_cast<std::int32_t>(now - frameSentMs_);
    entry.bytes = bytes;
    entry.byteCount = count;
    entry.command = frame_[2];
    entry.selector = frame_[3];
    entry.direction = TrafficDirection::Received;
    entry.outcome = outcome;
    traffic_.Record(entry);
}

void DeviceLink::NoteDiscarded(const Arrived& arrived) {
    if (arrived.count == 0 || !traffic_.Recording()) return;
    TrafficEntry entry;
    entry.timeMs = clock_.NowMs() - startMs_;
    entry.bytes = arrived.last;
    entry.byteCount = arrived.Shown();
    entry.direction = TrafficDirection::Received;
    entry.outcome = TrafficOutcome::Discarded;
    traffic_.Record(entry);
}

void DeviceLink::Arrived::Add(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        if (count < kFrameSize) {
            last[static_cast<std::size_t>(count)] = byte;
        } else {
            std::copy(last.begin() + 1, last.end(), last.begin());
            last.back() = byte;
        }
        ++count;
    }
}

std::uint8_t DeviceLink::Arrived::Shown() const {
    return static_cast<std::uint8_t>(std::min(count, kFrameSize));
}

std::uint8_t DeviceLink::Counted(std::uint8_t result) {
    if (result == kFrameSize) {
        unansweredRun_ = 0;
        deviceGone_ = false;
    } else if (unansweredRun_ < kSilentRun) {
        ++unansweredRun_;
    }
    return result;
}

DeviceLink::LineHold::LineHold(DeviceLink& link) : link_(link), lock_(link.exchange_) {
    Frame none{};
    if (link_.remote_ != nullptr) link_.remote_->Carry(ExchangeKind::Hold, {}, none);
}

DeviceLink::LineHold::~LineHold() {
    Frame none{};
    if (link_.remote_ != nullptr) link_.remote_->Carry(ExchangeKind::Release, {}, none);
}

// A reply still waiting belongs to an earlier frame and must never be taken for the answer to
// this one, so the line is emptied first.
std::uint8_t DeviceLink::Send(std::uint8_t address, std::uint8_t command,
                              std::span<const std::uint8_t> data) {
    if (replyOwed_) {
        clock_.SleepMs(kGraceDrainMs);
        if (Drain() > 0) replyOwed_ = false;
    } else {
        Drain();
    }
    frame_ = BuildFrame(address, command, data);
    const int written = Selected().WriteFrame(frame_.data(), kFrameSize);
    NoteFrame(written == kFrameSize);
    clock_.SleepMs(kSendPauseMs);
    return written == kFrameSize ? kFrameSize : 0;
}

std::uint8_t DeviceLink::Confirm(bool longWait) {
    Frame scratch{};
    return AssembleReply(scratch, longWait ? kLongAttempts : kShortAttempts, AnyReply);
}

std::uint8_t DeviceLink::SendAndConfirm(std::uint8_t address, std::uint8_t command,
                                        std::span<const std::uint8_t> data) {
    if (data.size() > kMaxDataBytes) return 0;
    std::lock_guard lock(exchange_);
    const bool longWait = command == 0x9C;
    if (remote_ != nullptr) {
        Frame reply{};
        return Carried(longWait ? ExchangeKind::ReplyLong : ExchangeKind::Reply, address,
                       command, data, reply);
    }
    Send(address, command, data);
    return Confirm(longWait);
}

std::uint8_t DeviceLink::SendPairAndConfirm(std::uint8_t address, std::uint8_t command,
                                            std::uint8_t d0, std::uint8_t d1) {
    const std::uint8_t data[] = {d0, d1};
    std::lock_guard lock(exchange_);
    if (remote_ != nullptr) {
        Frame reply{};
        return Carried(TakesLongWait(command) ? ExchangeKind::ReplyLong : ExchangeKind::Reply,
                       address, command, data, reply);
    }
    Send(address, command, data);
    return Confirm(TakesLongWait(command));
}

std::uint8_t DeviceLink::SendPair(std::uint8_t address, std::uint8_t command, std::uint8_t d0,
                                  std::uint8_t d1) {
    const std::uint8_t data[] = {d0, d1};
    return SendBytes(address, command, data);
}

std::uint8_t DeviceLink::SendBytes(std::uint8_t address, std::uint8_t command,
                                   std::span<const std::uint8_t> data) {
    if (data.size() > kMaxDataBytes) return 0;
    std::lock_guard lock(exchange_);
    if (remote_ != nullptr) {
        Frame reply{};
        return Carried(ExchangeKind::Send, address, command, data, reply);
    }
    return Send(address, command, data);
}

std::uint8_t DeviceLink::Ask(std::uint8_t address, std::uint8_t command, std::uint8_t d0,
                             std::uint8_t d1, Frame& reply, const ReplyCheck& answers) {
    const std::uint8_t data[] = {d0, d1};
    std::lock_guard lock(exchange_);
    if (remote_ != nullptr) return Carried(ExchangeKind::Query, address, command, data, reply);
    Send(address, command, data);
    return WaitReply(reply, answers);
}

std::uint8_t DeviceLink::SendAndTakeReply(std::uint8_t address, std::uint8_t command,
                                          std::span<const std::uint8_t> data, Frame& reply,
                                          bool longWait) {
    if (data.size() > kMaxDataBytes) return 0;
    std::lock_guard lock(exchange_);
    if (remote_ != nullptr) {
        return Carried(longWait ? ExchangeKind::ReplyLong : ExchangeKind::Reply, address, command,
                       data, reply);
    }
    if (Send(address, command, data) != kFrameSize) return 0;
    return longWait ? WaitReplyLong(reply) : WaitReply(reply);
}

int DeviceLink::ReadArrived(ReplyAssembly& assembly, Arrived& arrived) {
    std::uint8_t chunk[kFrameSize];
    int total = 0;
    while (total < kMostBytesPerRead) {
        const int n = Selected().ReadAvailable(chunk, kFrameSize);
        if (n == kTransportGone) {
            deviceGone_ = true;
            Selected().CloseTransport();
            return kTransportGone;
        }
        if (n <= 0) break;
        const int taken = std::min(n, kFrameSize);
        const std::span<const std::uint8_t> got(chunk, static_cast<std::size_t>(taken));
        assembly.Append(got);
        if (traffic_.Recording()) arrived.Add(got);
        total += taken;
    }
    return total;
}

int DeviceLink::Drain() {
    if (!Selected().IsOpenTransport()) return 0;
    ReplyAssembly discarded;
    Arrived arrived;
    const int count = std::max(ReadArrived(discarded, arrived), 0);
    NoteDiscarded(arrived);
    return count;
}

// Polls every 100 ms and takes the newest whole reply that answers: when a late reply to an
// earlier frame and this frame's own reply arrive together, the later one is this frame's.
// Where the processor is known to checksum its replies, a damaged one answers nothing.
std::uint8_t DeviceLink::AssembleReply(Frame& out, int attempts, const ReplyCheck& answers) {
    std::lock_guard lock(exchange_);
    ReplyAssembly assembly;
    bool refusedForChecksum = false;
    const auto accepts = [&](const Frame& reply) {
        if (!answers(reply)) return false;
        if (!checksums_.Required() || reply[kFrameSize - 1] == Checksum(reply)) return true;
        refusedForChecksum = true;
        return false;
    };
    Arrived arrived;
    for (int attempt = 0; attempt < attempts && Selected().IsOpenTransport(); ++attempt) {
        if (ReadArrived(assembly, arrived) == kTransportGone) break;
        if (const auto taken = assembly.Take(accepts)) {
            checksums_.Saw(taken->reply.back() == Checksum(taken->reply));
            const bool owed = IsOwedReply(*taken, attempt, attempts);
            replyOwed_ = false;
            if (!owed) {
                out = taken->reply;
                NoteReply(TrafficOutcome::Complete, out, kFrameSize);
                return Counted(kFrameSize);
            }
            NoteDiscarded({taken->reply, kFrameSize});
            arrived = {};
        }
        clock_.SleepMs(kPollPauseMs);
    }
    if (refusedForChecksum) checksums_.Saw(false);
    replyOwed_ = Selected().IsOpenTransport();
    out = assembly.Pending();
    NoteReply(arrived.count > 0 ? TrafficOutcome::Incomplete : TrafficOutcome::NoReply,
              arrived.last, arrived.Shown());
    return Counted(0);
}

// Only the short wait: the commands given the long one answer slowly by nature.
bool DeviceLink::IsOwedReply(const ReplyAssembly::Taken& taken, int attempt, int attempts) const {
    return replyOwed_ && !taken.afterAnother && attempt >= kPromptPolls &&
           attempts == kShortAttempts;
}

std::uint8_t DeviceLink::WaitReply(Frame& out) { return WaitReply(out, AnyReply); }

std::uint8_t DeviceLink::WaitReply(Frame& out, const ReplyCheck& answers) {
    return AssembleReply(out, kShortAttempts, answers);
}

std::uint8_t DeviceLink::WaitReplyLong(Frame& out) {
    return AssembleReply(out, kLongAttempts, AnyReply);
}

std::uint8_t DeviceLink::DiscardReply() {
    std::lock_guard lock(exchange_);
    if (remote_ != nullptr) {
        Frame reply{};
        return Carried(ExchangeKind::Discard, kDeviceAddress, 0, {}, reply);
    }
    return static_cast<std::uint8_t>(Drain());
}

}  // namespace hsq
