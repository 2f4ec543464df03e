#include "service/confirmed_changes.h"

#include "app/main_window_state.h"
#include "config/input_profile.h"
#include "config/output_board_profile.h"
#include "scheduler/timer_record.h"

namespace hsq {
namespace {

constexpr std::uint8_t kSelectInputCard = 0x80;
constexpr std::uint8_t kMainSource = 0x81;
constexpr std::uint8_t kInputBrightness = 0x88;
constexpr std::uint8_t kSelectOutputBoard = 0x8D;
constexpr std::uint8_t kRecallMode = 0x8E;
constexpr std::uint8_t kOutputBrightness = 0x9F;

// Frames are [address, 0x01, command, data...].
constexpr std::size_t kCommandAt = 2;
constexpr std::size_t kFirstDataAt = 3;

}  // namespace

std::vector<BoardRequest> ConfirmedChanges::Follow(const std::vector<TrafficEntry>& entries) {
    std::vector<BoardRequest> changes;
    for (const TrafficEntry& entry : entries) {
        if (entry.outcome == TrafficOutcome::Written) {
            sent_ = entry.bytes;
        } else if (entry.outcome == TrafficOutcome::Complete && sent_ &&
                   (*sent_)[kCommandAt] == entry.command) {
            if (const auto change = Confirmed(*sent_)) changes.push_back(*change);
            sent_.reset();
        } else if (entry.outcome != TrafficOutcome::Discarded) {
            sent_.reset();  // not written, or unanswered: nothing changed
        }
    }
    return changes;
}

std::optional<BoardRequest> ConfirmedChanges::Confirmed(const Frame& frame) {
    const int first = frame[kFirstDataAt];
    const int second = frame[kFirstDataAt + 1];
    using Kind = BoardRequest::Kind;
    switch (frame[kCommandAt]) {
        case kSelectInputCard:
            input_ = first < kInputCardCount ? std::optional<int>(first) : std::nullopt;
            return std::nullopt;
        case kSelectOutputBoard:
            output_ = first < kOutputCardCount ? std::optional<int>(first) : std::nullopt;
            return std::nullopt;
        case kRecallMode:
            if (!output_ || first >= kDisplayModeCount) return std::nullopt;
            return BoardRequest{Kind::Recall, kInputCardCount + *output_, first};
        case kMainSource:
            if (!input_ || second >= kSignalCount) return std::nullopt;
            return BoardRequest{Kind::Source, *input_, second};
        case kInputBrightness:
            if (!input_ || second > kMaxInputBrightness) return std::nullopt;
            return BoardRequest{Kind::Brightness, *input_, second};
        case kOutputBrightness:
            if (!output_ || first > kMaxOutputBrightness) return std::nullopt;
            return BoardRequest{Kind::Brightness, kInputCardCount + *output_, first};
    }
    return std::nullopt;
}

}  // namespace hsq
