#include "canvas/layout_readout.h"

namespace hsq {

std::string_view NoticeName(LayoutNotice notice) {
    switch (notice) {
        case LayoutNotice::Moved: return "Moved";
        case LayoutNotice::Resized: return "Resized";
        case LayoutNotice::KeyDown: return "Key down";
        case LayoutNotice::KeyUp: return "Key up";
        case LayoutNotice::KeyLeft: return "Key left";
        case LayoutNotice::KeyRight: return "Key right";
        case LayoutNotice::SingleSelection: return "Selected";
    }
    return "Unknown";
}

std::string DescribeNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
    std::string text = std::to_string(static_cast<int>(notice));
    text += ' ';
    text += NoticeName(notice);
    const char* separator = ": ";
    for (const CLayoutItem* item : items) {
        text += separator;
        text += item->Title();
        separator = ", ";
    }
    return text;
}

std::string DescribeProcessorPlace(const CChannelWindow& window) {
    const ProcessorRect& place = window.Processor();
    return window.Title() + "  x " + std::to_string(place.x) + "  y " + std::to_string(place.y) +
           "  w " + std::to_string(place.w) + "  h " + std::to_string(place.h);
}

}  // namespace hsq
