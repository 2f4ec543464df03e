// Any bytes given to the paper-line and entity-line readers are read or refused without a crash;
// whatever was read writes a line that reads back the same, and refusals change nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "canvas/channel_window.h"
#include "canvas/layout_item_list.h"
#include "canvas/layout_line_format.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// Six decimals are written, so a coordinate may come back rounded, never further off.
bool SameWithinWriting(const hsq::RectF& a, const hsq::RectF& b) {
    auto close = [](double x, double y) { return std::fabs(x - y) <= 5.1e-7; };
    return close(a.left, b.left) && close(a.top, b.top) && close(a.right, b.right) &&
           close(a.bottom, b.bottom);
}

void CheckPaperLine(std::string_view line) {
    hsq::CLayoutItemList list;
    Require(list.SetPaperSize({123, 45}));
    if (!list.ReadPaperLine(line)) {
        Require(list.PaperSize() == (hsq::Size{123, 45}));
        return;
    }
    hsq::CLayoutItemList copy;
    Require(copy.ReadPaperLine(list.PaperLine()));
    Require(copy.PaperSize() == list.PaperSize());
}

void CheckItemLine(std::string_view line) {
    const std::optional<hsq::ItemLine> read = hsq::ReadItemLine(line);
    if (!read) return;
    const std::string written = hsq::WriteItemLine(*read);
    const std::optional<hsq::ItemLine> reread = hsq::ReadItemLine(written);
    Require(reread.has_value());
    Require(reread->type == read->type && reread->title == read->title &&
            reread->name == read->name && reread->group == read->group);
    Require(SameWithinWriting(reread->rect, read->rect));
    Require(hsq::WriteItemLine(*reread) == written);
}

void CheckChannelWindow(std::string_view line) {
    hsq::CChannelWindow window;
    window.SetTitle("before");
    const std::string before = window.ToString();
    if (!window.FromString(line)) {
        Require(window.ToString() == before);
        return;
    }
    hsq::CChannelWindow copy;
    Require(copy.FromString(window.ToString()));
    Require(copy.ToString() == window.ToString());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    CheckPaperLine(line);
    CheckItemLine(line);
    CheckChannelWindow(line);
    return 0;
}
