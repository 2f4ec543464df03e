#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "link/command_frame.h"

namespace hsq {

enum class TrafficDirection : std::uint8_t { Sent, Received };

// What became of one side of an exchange.
enum class TrafficOutcome : std::uint8_t {
    Written,     // a frame that went out
    NotWritten,  // a frame the line would not take
    Complete,    // the whole reply that answers the frame
    Incomplete,  // bytes came, but no whole reply that answers
    NoReply,     // nothing came within the wait
    Discarded,   // bytes waiting on the line before a frame, dropped unread
};

// One frame sent or one reply received, as the link saw it.
struct TrafficEntry {
    std::uint64_t number = 0;  // from 1 over the link's life: readers ask for what is newer
    std::int64_t timeMs = 0;   // on the link's clock, from the link's start
    std::int32_t waitedMs = 0;  // received: from the frame going out to the reply's end
    Frame bytes{};              // the frame; a reply's bytes, or the last that came of it
    std::uint8_t byteCount = kFrameSize;  // how many of bytes are real (fewer came, none came)
    std::uint8_t command = 0;   // the exchange's command code; 0 for bytes before any frame
    std::uint8_t selector = 0;  // the exchange's first data byte (a query's selector)
    TrafficDirection direction = TrafficDirection::Sent;
    TrafficOutcome outcome = TrafficOutcome::Written;
};

// The last exchanges of a link, for a monitor to show. The link records under its own exchange
// lock; readers take copies under this ring's small lock, so that a window never waits for an
// exchange and an exchange never waits for more than one entry's copy.
class TrafficRing {
  public:
    static constexpr std::size_t kDefaultCapacity = 2000;
    // Told of every entry as it is recorded, on the recording thread.
    using Listener = std::function<void(const TrafficEntry&)>;

    explicit TrafficRing(std::size_t capacity = kDefaultCapacity);

    // Numbers the entry and keeps it, dropping the oldest when full; nothing while off.
    void Record(TrafficEntry entry);
    // The entries numbered after `number`, oldest first, as far as the ring still holds them.
    std::vector<TrafficEntry> Since(std::uint64_t number) const;
    std::vector<TrafficEntry> All() const { return Since(0); }
    // The number the next entry gets less one: what a reader has seen when it saw everything.
    std::uint64_t LastNumber() const;

    // On by default; off costs an exchange nothing but one flag's read.
    void SetRecording(bool on) { recording_.store(on, std::memory_order_relaxed); }
    bool Recording() const { return recording_.load(std::memory_order_relaxed); }
    void Listen(Listener listener);

    std::size_t Capacity() const { return slots_.size(); }

  private:
    mutable std::mutex mutex_;
    std::vector<TrafficEntry> slots_;
    std::uint64_t recorded_ = 0;
    Listener listener_;
    std::atomic<bool> recording_{true};
};

}  // namespace hsq
