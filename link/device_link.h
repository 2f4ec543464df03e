#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "link/checksum_evidence.h"
#include "link/clock.h"
#include "link/command_frame.h"
#include "link/remote_line.h"
#include "link/reply_assembly.h"
#include "link/serial_port.h"
#include "link/tcp_client.h"
#include "link/traffic_ring.h"

namespace hsq {

// The one owner of the processor link: builds frames, paces each exchange and assembles replies.
// One exchange (send, pause, reply assembly) runs at a time, under a link-wide lock.
class DeviceLink {
public:
    static constexpr int kSendPauseMs = 200;
    static constexpr int kPollPauseMs = 100;
    static constexpr int kShortAttempts = 100;
    static constexpr int kLongAttempts = 1000;
    // After an exchange that got no reply, its reply may still be on its way. The next frame
    // waits this long for it, so that a reply just too late is drained, not taken as the answer.
    static constexpr int kGraceDrainMs = 300;
    // The processor answers within a poll or two. While a reply is still owed, a lone reply that
    // only turns up after this many polls of a short wait is the owed one, not this frame's.
    static constexpr int kPromptPolls = 5;

    // Which whole replies answer the question asked; every reply starts with 0x86 already.
    using ReplyCheck = ReplyAssembly::Accepts;

    explicit DeviceLink(Clock& clock);

    // The commands the processor may take long to carry out: import's end, the application mode
    // and the output format.
    static bool TakesLongWait(std::uint8_t command) {
        return command == 0xB0 || command == 0x94 || command == 0x9C;
    }

    // Nonzero: serial line; zero: TCP. Must not change while the link is open.
    void SetUseSerial(int useSerial) { useSerial_ = useSerial; }
    int UseSerial() const { return useSerial_; }
    // Sends all traffic through this transport instead of the serial line or TCP (in-process
    // simulator). nullptr goes back to the transport useSerial selects.
    void AttachTransport(LinkTransport* transport) { attached_ = transport; }
    // Hands every exchange whole to the program that holds the line, until Close. nullptr goes
    // back to this program's own transports.
    void AttachRemote(RemoteLine* remote);
    bool IsRemote() const;

    int Open(const std::string& ipText, int port, const std::string& portName);
    int Close();

    std::uint8_t SendAndConfirm(std::uint8_t address, std::uint8_t command,
                                std::span<const std::uint8_t> data);
    std::uint8_t SendPairAndConfirm(std::uint8_t address, std::uint8_t command, std::uint8_t d0,
                                    std::uint8_t d1);
    std::uint8_t SendPair(std::uint8_t address, std::uint8_t command, std::uint8_t d0,
                          std::uint8_t d1);
    std::uint8_t SendBytes(std::uint8_t address, std::uint8_t command,
                           std::span<const std::uint8_t> data);
    // 13 when a reply that answers arrived; 0 otherwise, with out holding what came of it.
    std::uint8_t WaitReply(Frame& out);
    std::uint8_t WaitReply(Frame& out, const ReplyCheck& answers);
    std::uint8_t WaitReplyLong(Frame& out);
    // Drops everything waiting on the line; returns how many bytes that was (at most 255).
    std::uint8_t DiscardReply();
    // A query frame and the reply that answers it, as one exchange.
    std::uint8_t Ask(std::uint8_t address, std::uint8_t command, std::uint8_t d0, std::uint8_t d1,
                     Frame& reply, const ReplyCheck& answers);
    // Any frame and the first whole reply after it, within the long wait when longWait.
    std::uint8_t SendAndTakeReply(std::uint8_t address, std::uint8_t command,
                                  std::span<const std::uint8_t> data, Frame& reply,
                                  bool longWait);
    static std::uint8_t Checksum(const Frame& frame) { return hsq::Checksum(frame); }

    // Held by a caller whose exchange spans several calls. The lock is recursive, so the calls
    // inside take it again.
    std::unique_lock<std::recursive_mutex> LockExchange() {
        return std::unique_lock<std::recursive_mutex>(exchange_);
    }

    // Keeps every other exchange off the line for a whole operation (an import must never be
    // interleaved), other threads' and, through the program holding the line, other programs'.
    class LineHold {
      public:
        explicit LineHold(DeviceLink& link);
        ~LineHold();
        LineHold(const LineHold&) = delete;
        LineHold& operator=(const LineHold&) = delete;

      private:
        DeviceLink& link_;
        std::unique_lock<std::recursive_mutex> lock_;
    };
    LineHold HoldLine() { return LineHold(*this); }

    // Whether the processor answers: not once the device is gone, nor after kSilentRun reply
    // waits in a row that got nothing; the next whole reply, or opening the line, clears it.
    static constexpr int kSilentRun = 3;
    bool Answering() const { return !deviceGone_ && unansweredRun_ < kSilentRun; }

    // The frame sent last; read it under LockExchange to be sure it is one's own.
    Frame LastFrame() {
        std::lock_guard lock(exchange_);
        return frame_;
    }

    // The last frames and replies, for a monitor or a trace.
    TrafficRing& Traffic() { return traffic_; }

    Clock& clock() { return clock_; }
    CSerialPort& serial() { return serial_; }
    CTcpClient& tcp() { return tcp_; }

private:
    LinkTransport& Selected();
    // The exchange carried out by the program holding the line; frame_ keeps what was sent.
    std::uint8_t Carried(ExchangeKind kind, std::uint8_t address, std::uint8_t command,
                         std::span<const std::uint8_t> data, Frame& reply);
    std::uint8_t Send(std::uint8_t address, std::uint8_t command,
                      std::span<const std::uint8_t> data);
    std::uint8_t AssembleReply(Frame& out, int attempts, const ReplyCheck& answers);
    std::uint8_t Confirm(bool longWait);
    bool IsOwedReply(const ReplyAssembly::Taken& taken, int attempt, int attempts) const;
    // The newest bytes that arrived, whatever became of them: what the traffic record shows of
    // a reply that never came whole.
    struct Arrived {
        Frame last{};
        int count = 0;
        void Add(std::span<const std::uint8_t> bytes);
        std::uint8_t Shown() const;
    };
    // Everything that has arrived, into the assembly: the byte count, or kTransportGone after
    // closing a transport whose device is gone.
    int ReadArrived(ReplyAssembly& assembly, Arrived& arrived);
    int Drain();
    // Into the traffic record, as an entry of the exchange of frame_.
    void NoteFrame(bool written);
    void NoteReply(TrafficOutcome outcome, const Frame& bytes, std::uint8_t count);
    // Bytes that answer no frame of ours: stale or late.
    void NoteDiscarded(const Arrived& arrived);

    Clock& clock_;
    mutable std::recursive_mutex exchange_;
    Frame frame_{};
    CTcpClient tcp_;
    CSerialPort serial_;
    int useSerial_ = 0;
    LinkTransport* attached_ = nullptr;
    RemoteLine* remote_ = nullptr;
    ChecksumEvidence checksums_;
    // An exchange gave up without a reply, and nothing since has shown where that reply went.
    bool replyOwed_ = false;
    // Read by the windows without the link's lock.
    std::atomic<int> unansweredRun_{0};
    std::atomic<bool> deviceGone_{false};
    // Counts a reply wait's outcome into the health above.
    std::uint8_t Counted(std::uint8_t result);
    TrafficRing traffic_;
    std::int64_t startMs_;
    std::int64_t frameSentMs_ = 0;
};

}  // namespace hsq
