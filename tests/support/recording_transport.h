#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/link_transport.h"

namespace hsq::testing {

// A transport that records every frame written and hands out scripted reads, one per call.
class RecordingTransport final : public LinkTransport {
  public:
    int WriteFrame(const std::uint8_t* bytes, int count) override {
        written.emplace_back(bytes, bytes + count);
        return writeResult < 0 ? count : writeResult;
    }

    int ReadAvailable(std::uint8_t* bytes, int count) override {
        ++reads;
        if (scriptedReads.empty())
            return 0;
        std::vector<std::uint8_t> next = std::move(scriptedReads.front());
        scriptedReads.pop_front();
        const int n = std::min(count, static_cast<int>(next.size()));
        std::copy_n(next.begin(), n, bytes);
        return n;
    }

    void CloseTransport() override { ++closes; }

    std::vector<std::vector<std::uint8_t>> written;
    std::deque<std::vector<std::uint8_t>> scriptedReads;
    int reads = 0;
    int closes = 0;
    int writeResult = -1;  // negative: report the whole count written
};

}  // namespace hsq::testing
