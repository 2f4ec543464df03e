#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "link/clock.h"

namespace hsq {

// A token bucket per client address: a client may send `burst` requests at once and
// `perSecond` after that; one that sends more is told to wait, and the others are not held up.
class ClientRateLimit {
  public:
    ClientRateLimit(Clock& clock, double perSecond, double burst)
        : clock_(clock), perSecond_(perSecond), burst_(burst) {}

    // Nothing when the client may go on; else the whole seconds to wait before the next request.
    std::optional<int> Take(const std::string& client);

  private:
    struct Bucket {
        double tokens = 0;
        std::int64_t filledMs = 0;
    };
    // Buckets that have filled up again tell nothing: dropping them bounds the memory a crowd
    // of addresses can take.
    static constexpr std::size_t kPruneAbove = 4096;
    void PruneFull(std::int64_t nowMs);
    double Filled(const Bucket& bucket, std::int64_t nowMs) const;

    Clock& clock_;
    double perSecond_;
    double burst_;
    std::mutex mutex_;
    std::map<std::string, Bucket> buckets_;
};

}  // namespace hsq
