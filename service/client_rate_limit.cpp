#include "service/client_rate_limit.h"

#include <algorithm>
#include <cmath>

namespace hsq {

double ClientRateLimit::Filled(const Bucket& bucket, std::int64_t nowMs) const {
    return std::min(burst_, bucket.tokens + (nowMs - bucket.filledMs) * perSecond_ / 1000.0);
}

std::optional<int> ClientRateLimit::Take(const std::string& client) {
    const std::int64_t now = clock_.NowMs();
    std::lock_guard lock(mutex_);
    if (buckets_.size() > kPruneAbove) PruneFull(now);
    Bucket& bucket = buckets_.try_emplace(client, Bucket{burst_, now}).first->second;
    bucket.tokens = Filled(bucket, now);
    bucket.filledMs = now;
    if (bucket.tokens >= 1.0) {
        bucket.tokens -= 1.0;
        return std::nullopt;
    }
    return std::max(1, static_cast<int>(std::ceil((1.0 - bucket.tokens) / perSecond_)));
}

void ClientRateLimit::PruneFull(std::int64_t nowMs) {
    std::erase_if(buckets_, [&](const auto& entry) { return Filled(entry.second, nowMs) >= burst_; });
}

}  // namespace hsq
