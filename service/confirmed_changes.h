#pragma once

#include <optional>
#include <vector>

#include "link/traffic_ring.h"
#include "service/board_requests.h"

namespace hsq {

// Follows a link's traffic record, whoever sent the frames (this program's own front ends, the
// programs going through its line service, its timers), and tells the card changes the
// processor confirmed: a recall, a source switched, a brightness set, each on the card selected
// last with a confirmed selection.
class ConfirmedChanges {
  public:
    // The changes among these entries, which follow those given before, in order.
    std::vector<BoardRequest> Follow(const std::vector<TrafficEntry>& entries);

  private:
    std::optional<BoardRequest> Confirmed(const Frame& frame);

    std::optional<Frame> sent_;  // the frame whose reply is awaited
    std::optional<int> input_;   // the input card selected, 0..3
    std::optional<int> output_;  // the output card selected, 0 K, 1 L
};

}  // namespace hsq
