#include "canvas/layout_item_list.h"

#include <algorithm>

#include "canvas/layout_line_format.h"

namespace hsq {

CLayoutItem& CLayoutItemList::Add(std::unique_ptr<CLayoutItem> item) {
    items_.push_back(std::move(item));
    return *items_.back();
}

std::optional<std::size_t> CLayoutItemList::IndexOf(const CLayoutItem& item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &item) return i;
    return std::nullopt;
}

std::vector<CLayoutItem*> CLayoutItemList::Selected() const {
    std::vector<CLayoutItem*> selected;
    for (const auto& item : items_)
        if (item->IsSelected()) selected.push_back(item.get());
    return selected;
}

void CLayoutItemList::SelectOnly(const CLayoutItem* item) {
    for (const auto& each : items_) each->Select(each.get() == item);
}

void CLayoutItemList::Restack(std::size_t from, std::size_t to) {
    if (from >= items_.size() || to >= items_.size()) return;
    const auto begin = items_.begin();
    if (from < to)
        std::rotate(begin + from, begin + from + 1, begin + to + 1);
    else
        std::rotate(begin + to, begin + from, begin + from + 1);
}

bool CLayoutItemList::SetPaperSize(Size paper) {
    auto valid = [](int extent) { return extent >= 0 && extent <= kMaxPaperExtent; };
    if (!valid(paper.width) || !valid(paper.height)) return false;
    paper_ = paper;
    return true;
}

std::string CLayoutItemList::PaperLine() const { return WritePaperLine(paper_); }

bool CLayoutItemList::ReadPaperLine(std::string_view line) {
    const std::optional<Size> paper = hsq::ReadPaperLine(line);
    return paper && SetPaperSize(*paper);
}

}  // namespace hsq
