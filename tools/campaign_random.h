#pragma once

#include <cstdint>
#include <random>

namespace hsq::campaign {

// Seeded, so that a campaign that found something can be run again the same way.
using Random = std::mt19937_64;

// low..high, both included.
inline int Between(Random& random, int low, int high) {
    return low + static_cast<int>(random() % static_cast<std::uint64_t>(high - low + 1));
}

inline bool Chance(Random& random, double share) {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random) < share;
}

}  // namespace hsq::campaign
