#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "link/command_frame.h"

namespace hsq::sim {

// In the order they are applied when several hit one reply.
enum class FaultKind {
    kBadSum,   // wrong checksum
    kExtra,    // bytes after the reply
    kGarbage,  // bytes before the reply
    kPieces,   // the reply split in two, the second part a poll later
    kLate,     // past the short reply wait, within the long one
    kNoReply,
    kDrop,  // the connection goes, with the reply and everything queued
};

struct FaultRule {
    FaultKind kind = FaultKind::kNoReply;
    double rate = 1.0;  // share of replies hit, 0 to 1
    friend bool operator==(const FaultRule&, const FaultRule&) = default;
};

// "KIND" or "KIND:RATE", KIND one of noreply, late, pieces, extra, badsum, drop, garbage.
std::optional<FaultRule> ParseFaultRule(std::string_view text);

// Part of a reply, going out delayMs after the frame it answers arrived.
struct ReplyChunk {
    int delayMs = 0;
    std::vector<std::uint8_t> bytes;
};

// How one reply leaves the processor.
struct Delivery {
    std::vector<ReplyChunk> chunks;
    bool dropConnection = false;
};

// Decides, reply by reply, which faults hit it. The same seed and the same frames give the same
// faults, so a failing run can be repeated.
class FaultInjector {
  public:
    // The short wait reads for about 10.1 s after the frame, the long one for about 100.1 s.
    static constexpr int kLateReplyMs = 20000;
    // The link reads 200 ms after the frame and then every 100 ms: a part 250 ms later misses
    // the first read and is there for the second.
    static constexpr int kPieceGapMs = 250;

    FaultInjector() = default;
    // A kind named twice keeps its last rate.
    FaultInjector(const std::vector<FaultRule>& faults, std::uint64_t seed);

    Delivery Deliver(const Frame& reply);

  private:
    bool Hits(double rate);
    int Between(int low, int high);
    std::vector<std::uint8_t> RandomBytes(int count);
    void Apply(FaultKind kind, Delivery& delivery);

    std::vector<FaultRule> faults_;
    std::mt19937_64 random_;
};

}  // namespace hsq::sim
