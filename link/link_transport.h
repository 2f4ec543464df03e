#pragma once

#include <cstdint>

namespace hsq {

// A read returns this when the device reported itself gone (unplugged, the other end closed):
// nothing will ever arrive, so the link closes the transport and stops waiting.
inline constexpr int kTransportGone = -1;

// What the link needs of a transport: write a frame, read what has arrived, close.
class LinkTransport {
public:
    virtual ~LinkTransport() = default;
    // Returns the count written: the whole count or 0, never part of a frame.
    virtual int WriteFrame(const std::uint8_t* bytes, int count) = 0;
    // Returns at once with the bytes that really arrived (0 to count), in order; 0 when nothing
    // is waiting or on failure; kTransportGone when the device is gone.
    virtual int ReadAvailable(std::uint8_t* bytes, int count) = 0;
    virtual void CloseTransport() = 0;
    // A closed transport can never deliver a reply.
    virtual bool IsOpenTransport() const { return true; }
};

}  // namespace hsq
