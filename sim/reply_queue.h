#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "sim/fault_injector.h"

namespace hsq::sim {

// Reply bytes waiting for their time to go out. They leave in the order they were queued, as
// on a line: a part that is not due yet holds back everything behind it.
class ReplyQueue {
  public:
    void Push(const Delivery& delivery, std::int64_t arrivalMs);
    // Copies up to max due bytes to out, across parts; returns the count.
    int TakeDue(std::int64_t nowMs, std::uint8_t* out, int max);
    // What is left of the first part when it is due, else nothing. A writer sends it and then
    // tells Consume how much went out, so a short write loses nothing.
    std::span<const std::uint8_t> DuePart(std::int64_t nowMs) const;
    void Consume(std::size_t count);
    // When the first part waiting is due; empty when nothing waits.
    std::optional<std::int64_t> NextDueMs() const;
    void Clear() { parts_.clear(); }

  private:
    struct Part {
        std::int64_t dueMs;
        std::vector<std::uint8_t> bytes;
        std::size_t sent = 0;
    };
    std::deque<Part> parts_;
};

}  // namespace hsq::sim
