#pragma once

#include <cstdint>

namespace hsq {

// Whether the processor's replies carry a checksum (byte 12, the XOR of bytes 0 to 11), learnt
// from the replies seen since the link opened. Once they clearly do, a reply whose checksum is
// wrong is damaged and refused; a processor that never checksums keeps every reply, because
// its checksum is right only by chance and the evidence never builds up. Should the evidence
// turn (a processor checksummed by chance twice, say), the refusals themselves turn it back.
class ChecksumEvidence {
  public:
    void Reset() { valid_ = invalid_ = 0; }
    bool Required() const { return valid_ >= kValidNeeded && valid_ >= invalid_; }
    void Saw(bool valid) { ++(valid ? valid_ : invalid_); }

  private:
    static constexpr std::int64_t kValidNeeded = 2;
    std::int64_t valid_ = 0;
    std::int64_t invalid_ = 0;
};

}  // namespace hsq
