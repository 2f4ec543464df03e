#include "sim/traffic_trace.h"

namespace hsq::sim {

std::string FormatTraceLine(const LocalTime& time, bool outgoing,
                            std::span<const std::uint8_t> bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char part[4];
        std::snprintf(part, sizeof part, i == 0 ? "%02x" : " %02x", bytes[i]);
        hex += part;
    }
    char head[64];
    std::snprintf(head, sizeof head, "%02d:%02d:%02d-%03d %s ", time.hour, time.minute, time.second,
                  time.millisecond, outgoing ? "->" : "<-");
    return head + hex + "\n";
}

void TrafficTrace::Write(bool outgoing, std::span<const std::uint8_t> bytes) {
    const std::string line = FormatTraceLine(clock_.LocalNow(), outgoing, bytes);
    std::lock_guard lock(mutex_);
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
}

}  // namespace hsq::sim
