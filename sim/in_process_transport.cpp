#include "sim/in_process_transport.h"

namespace hsq::sim {

int InProcessTransport::WriteFrame(const std::uint8_t* bytes, int count) {
    if (bytes == nullptr || count <= 0)
        return 0;
    session_.Receive({bytes, static_cast<std::size_t>(count)}, clock_.NowMs());
    return count;
}

int InProcessTransport::ReadAvailable(std::uint8_t* bytes, int count) {
    if (bytes == nullptr || count <= 0)
        return 0;
    return session_.replies().TakeDue(clock_.NowMs(), bytes, count);
}

}  // namespace hsq::sim
