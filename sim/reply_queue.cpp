#include "sim/reply_queue.h"

#include <algorithm>

namespace hsq::sim {

void ReplyQueue::Push(const Delivery& delivery, std::int64_t arrivalMs) {
    for (const ReplyChunk& chunk : delivery.chunks) {
        if (!chunk.bytes.empty())
            parts_.push_back({arrivalMs + chunk.delayMs, chunk.bytes});
    }
}

std::span<const std::uint8_t> ReplyQueue::DuePart(std::int64_t nowMs) const {
    if (parts_.empty() || parts_.front().dueMs > nowMs)
        return {};
    const Part& part = parts_.front();
    return std::span<const std::uint8_t>(part.bytes).subspan(part.sent);
}

void ReplyQueue::Consume(std::size_t count) {
    while (count > 0 && !parts_.empty()) {
        Part& part = parts_.front();
        const std::size_t n = std::min(count, part.bytes.size() - part.sent);
        part.sent += n;
        count -= n;
        if (part.sent == part.bytes.size())
            parts_.pop_front();
    }
}

int ReplyQueue::TakeDue(std::int64_t nowMs, std::uint8_t* out, int max) {
    int taken = 0;
    for (auto due = DuePart(nowMs); taken < max && !due.empty(); due = DuePart(nowMs)) {
        const std::size_t n = std::min(due.size(), static_cast<std::size_t>(max - taken));
        std::copy_n(due.begin(), n, out + taken);
        Consume(n);
        taken += static_cast<int>(n);
    }
    return taken;
}

std::optional<std::int64_t> ReplyQueue::NextDueMs() const {
    if (parts_.empty())
        return std::nullopt;
    return parts_.front().dueMs;
}

}  // namespace hsq::sim
