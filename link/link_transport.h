#pragma once

#include <cstdint>

namespace hsq {

// What the link needs of a transport: write a frame, read what has arrived, close.
class LinkTransport {
public:
    virtual ~LinkTransport() = default;
    // Returns the count written; 0 on failure.
    virtual int WriteFrame(const std::uint8_t* bytes, int count) = 0;
    // Returns at once with what has arrived (0 to count); 0 when nothing is waiting or on failure.
    virtual int ReadAvailable(std::uint8_t* bytes, int count) = 0;
    virtual void CloseTransport() = 0;
};

}  // namespace hsq
