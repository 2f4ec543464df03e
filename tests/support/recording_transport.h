#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

#include "commands/device_commands.h"
#include "link/clock.h"
#include "link/device_link.h"
#include "link/link_transport.h"

namespace hsq::testing {

// Records every frame written and answers each with a script, timed on the clock the link uses.
// answers[k] answers the k-th frame written; its parts arrive one per poll of the link, part j
// from 200 + 100 j ms after the frame (an empty part: that poll finds nothing). Frames beyond
// the script get no answer. Bytes not read stay on the line, as on a real one.
class RecordingTransport final : public LinkTransport {
  public:
    using Bytes = std::vector<std::uint8_t>;

    explicit RecordingTransport(Clock& clock) : clock_(clock) {}

    int WriteFrame(const std::uint8_t* bytes, int count) override {
        written.emplace_back(bytes, bytes + count);
        if (!answers.empty()) {
            std::int64_t due = clock_.NowMs() + kFirstPollMs;
            for (Bytes& part : answers.front()) {
                pending_.push_back({due, std::move(part)});
                due += kPollMs;
            }
            answers.pop_front();
        }
        return writeResult < 0 ? count : writeResult;
    }

    int ReadAvailable(std::uint8_t* bytes, int count) override {
        ++reads;
        if (gone)
            return kTransportGone;
        while (!pending_.empty() && pending_.front().dueMs <= clock_.NowMs()) {
            line_.insert(line_.end(), pending_.front().bytes.begin(), pending_.front().bytes.end());
            pending_.pop_front();
        }
        const int n = std::min(count, static_cast<int>(line_.size()));
        std::copy_n(line_.begin(), n, bytes);
        line_.erase(line_.begin(), line_.begin() + n);
        return n;
    }

    void CloseTransport() override {
        ++closes;
        open = false;
    }
    bool IsOpenTransport() const override { return open; }

    // One whole reply at the first poll after the next unanswered frame.
    void Answer(Bytes reply) { answers.push_back({std::move(reply)}); }
    void NoAnswer() { answers.push_back({}); }

    std::vector<Bytes> written;
    std::deque<std::vector<Bytes>> answers;
    int reads = 0;
    int closes = 0;
    int writeResult = -1;  // negative: report the whole count written
    bool gone = false;
    bool open = true;

  private:
    static constexpr int kFirstPollMs = 200;
    static constexpr int kPollMs = 100;
    struct Part {
        std::int64_t dueMs;
        Bytes bytes;
    };
    Clock& clock_;
    std::deque<Part> pending_;
    std::deque<std::uint8_t> line_;
};

// The commands over a link to a recording transport, on a virtual clock.
struct RecordingLink {
    RecordingLink() { link.AttachTransport(&transport); }
    VirtualClock clock;
    DeviceLink link{clock};
    RecordingTransport transport{clock};
    DeviceCommands commands{link};
};

}  // namespace hsq::testing
