#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/layout_geometry.h"
#include "canvas/layout_item.h"

namespace hsq {

// The canvas's entities in drawing order (a later one is drawn over an earlier one) and the
// paper size. A paper extent of 0 leaves that dimension to the client area.
class CLayoutItemList {
public:
    CLayoutItem& Add(std::unique_ptr<CLayoutItem> item);

    std::size_t Count() const { return items_.size(); }
    CLayoutItem& At(std::size_t index) { return *items_.at(index); }
    const CLayoutItem& At(std::size_t index) const { return *items_.at(index); }
    std::optional<std::size_t> IndexOf(const CLayoutItem& item) const;

    std::vector<CLayoutItem*> Selected() const;
    void SelectOnly(const CLayoutItem* item);

    // Takes the entity at from out of the order and puts it back at to.
    void Restack(std::size_t from, std::size_t to);

    Size PaperSize() const { return paper_; }
    // Refuses negative extents and extents beyond kMaxPaperExtent.
    bool SetPaperSize(Size paper);
    std::string PaperLine() const;
    bool ReadPaperLine(std::string_view line);

private:
    std::vector<std::unique_ptr<CLayoutItem>> items_;
    Size paper_;
};

}  // namespace hsq
