#pragma once

#include <string>

#include "dialog/bilingual.h"
#include "link/traffic_ring.h"

namespace hsq {

// One entry of the traffic record as the monitor lists it and the trace prints it.
struct TrafficRow {
    std::string time;       // ms on the link's clock
    std::string direction;  // "->" sent, "<-" received
    std::string bytes;      // the real bytes in hex; none when nothing came
    std::string outcome;    // empty for a frame that went out
    std::string waited;     // a reply's wait, "200 ms"
    std::string command;    // the command's name, a query's with what it asks for
};

TrafficRow RowOf(const TrafficEntry& entry, LanguageFlag language);
// The row as one line of text, columns aligned, the command last (its name's length varies).
std::string LineOf(const TrafficRow& row);
// The column captions as one line, aligned as LineOf aligns.
std::string HeadingLine(LanguageFlag language);

// Column captions of the monitor's list.
inline constexpr Bilingual kTimeColumn{"时间(毫秒)", "Time (ms)"};
inline constexpr Bilingual kDirectionColumn{"方向", "Dir"};
inline constexpr Bilingual kBytesColumn{"字节", "Bytes"};
inline constexpr Bilingual kOutcomeColumn{"结果", "Outcome"};
inline constexpr Bilingual kWaitedColumn{"等待", "Waited"};
inline constexpr Bilingual kCommandColumn{"命令", "Command"};

}  // namespace hsq
