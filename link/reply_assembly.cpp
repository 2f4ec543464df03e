#include "link/reply_assembly.h"

#include <algorithm>

namespace hsq {
namespace {

Frame FrameAt(const std::vector<std::uint8_t>& bytes, std::size_t start) {
    Frame frame{};
    const std::size_t count = std::min<std::size_t>(kFrameSize, bytes.size() - start);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(start), count, frame.begin());
    return frame;
}

}  // namespace

void ReplyAssembly::Append(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    if (bytes_.size() > kCapacity)
        bytes_.erase(bytes_.begin(), bytes_.end() - static_cast<std::ptrdiff_t>(kCapacity));
}

std::optional<ReplyAssembly::Taken> ReplyAssembly::Take(const Accepts& accepts) {
    std::vector<std::size_t> accepted;
    for (std::size_t start = 0; start + kFrameSize <= bytes_.size(); ++start) {
        if (bytes_[start] == kDeviceAddress && accepts(FrameAt(bytes_, start)))
            accepted.push_back(start);
    }
    if (accepted.empty()) {
        DropWhatCanNeverAnswer();
        return std::nullopt;
    }
    const std::size_t newest = accepted.back();
    if (accepted.size() > 1 && newest - accepted[accepted.size() - 2] < kFrameSize)
        return std::nullopt;
    const Taken taken{FrameAt(bytes_, newest), droppedWholeReply_ || WholeReplyBefore(newest)};
    bytes_.clear();
    return taken;
}

bool ReplyAssembly::WholeReplyBefore(std::size_t start) const {
    for (std::size_t earlier = 0; earlier + kFrameSize <= start; ++earlier) {
        if (bytes_[earlier] == kDeviceAddress) return true;
    }
    return false;
}

// Every whole candidate was refused, and the same bytes are refused again: keep only what may
// still grow into a reply.
void ReplyAssembly::DropWhatCanNeverAnswer() {
    const std::size_t firstIncomplete =
        bytes_.size() >= kFrameSize ? bytes_.size() - kFrameSize + 1 : 0;
    droppedWholeReply_ = droppedWholeReply_ || WholeReplyBefore(firstIncomplete + kFrameSize - 1);
    const auto start = std::find(bytes_.begin() + static_cast<std::ptrdiff_t>(firstIncomplete),
                                 bytes_.end(), kDeviceAddress);
    bytes_.erase(bytes_.begin(), start);
}

Frame ReplyAssembly::Pending() const {
    const auto start = std::find(bytes_.begin(), bytes_.end(), kDeviceAddress);
    if (start == bytes_.end())
        return Frame{};
    return FrameAt(bytes_, static_cast<std::size_t>(start - bytes_.begin()));
}

}  // namespace hsq
