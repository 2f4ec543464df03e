#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "link/command_frame.h"

namespace hsq {

// Puts replies together from the bytes that arrive, in order, whatever pieces they come in. A
// reply starts at a 0x86 byte and is 13 bytes long; the caller says which whole replies answer
// its question. Bytes before a reply (noise, the rest of an earlier reply) are skipped, and two
// replies are never mixed into one.
class ReplyAssembly {
  public:
    using Accepts = std::function<bool(const Frame&)>;

    // More than a poll can reasonably bring; beyond it the oldest bytes are dropped.
    static constexpr std::size_t kCapacity = 256;

    void Append(std::span<const std::uint8_t> bytes);

    struct Taken {
        Frame reply;
        bool afterAnother;  // another whole reply, answering or not, came before it
    };

    // The newest whole reply that accepts takes. When two accepted replies overlap, the bytes
    // cannot say which one is real, so neither is taken (more bytes may still settle it).
    std::optional<Taken> Take(const Accepts& accepts);

    // The reply still being gathered, from its 0x86 on, the rest zero.
    Frame Pending() const;

  private:
    void DropWhatCanNeverAnswer();
    bool WholeReplyBefore(std::size_t start) const;

    std::vector<std::uint8_t> bytes_;
    bool droppedWholeReply_ = false;
};

}  // namespace hsq
