#include "link/traffic_ring.h"

#include <algorithm>

namespace hsq {

TrafficRing::TrafficRing(std::size_t capacity) : slots_(std::max<std::size_t>(capacity, 1)) {}

// The listener runs under the ring's lock, so that it can never see a second entry before it
// has done with the first. Only a front end without a window (a trace) listens.
void TrafficRing::Record(TrafficEntry entry) {
    if (!Recording()) return;
    std::lock_guard lock(mutex_);
    entry.number = ++recorded_;
    TrafficEntry& slot = slots_[(entry.number - 1) % slots_.size()];
    slot = entry;
    if (listener_) listener_(slot);
}

std::vector<TrafficEntry> TrafficRing::Since(std::uint64_t number) const {
    std::lock_guard lock(mutex_);
    const std::uint64_t oldestHeld = recorded_ > slots_.size() ? recorded_ - slots_.size() + 1 : 1;
    std::vector<TrafficEntry> entries;
    const std::uint64_t first = std::max(number + 1, oldestHeld);
    if (first > recorded_) return entries;
    entries.reserve(static_cast<std::size_t>(recorded_ - first + 1));
    for (std::uint64_t n = first; n <= recorded_; ++n)
        entries.push_back(slots_[(n - 1) % slots_.size()]);
    return entries;
}

std::uint64_t TrafficRing::LastNumber() const {
    std::lock_guard lock(mutex_);
    return recorded_;
}

void TrafficRing::Listen(Listener listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

}  // namespace hsq
