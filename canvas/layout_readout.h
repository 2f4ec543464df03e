#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "canvas/channel_window.h"
#include "canvas/layout_events.h"

namespace hsq {

// What a notice says, for the operator's eyes and for traces: "Moved", "Resized", ...
std::string_view NoticeName(LayoutNotice notice);
// "8 Moved: CH1, CH3", with the titles of the entities concerned.
std::string DescribeNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items);
// "CH1  x 192  y 108  w 768  h 432": where the processor will show the window.
std::string DescribeProcessorPlace(const CChannelWindow& window);

}  // namespace hsq
