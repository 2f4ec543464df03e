#pragma once

#include <functional>
#include <vector>

#include "canvas/layout_events.h"
#include "canvas/layout_item_list.h"
#include "canvas/wall_editor.h"

namespace hsq {

// A layout canvas without its window: the entities and the wall editor over them. A dialog's
// logic owns one and works on it; a window, when there is one, shows it and feeds it the mouse.
class CanvasModel final : private LayoutObserver {
  public:
    using NoticeHandler = std::function<void(LayoutNotice, const std::vector<CLayoutItem*>&)>;

    CanvasModel() : editor_(items_, *this) {}
    CanvasModel(const CanvasModel&) = delete;
    CanvasModel& operator=(const CanvasModel&) = delete;

    CWallEditor& Editor() { return editor_; }
    const CWallEditor& Editor() const { return editor_; }
    CLayoutItemList& Items() { return items_; }
    const CLayoutItemList& Items() const { return items_; }

    // Where the operator's moves and resizes are reported.
    void OnNotice(NoticeHandler handler) { notice_ = std::move(handler); }
    // The window that shows the model, told to repaint; nullptr when none does.
    void SetView(LayoutObserver* view) { view_ = view; }

  private:
    void OnLayoutNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) override {
        if (notice_) notice_(notice, items);
    }
    void OnRepaintNeeded() override {
        if (view_ != nullptr) view_->OnRepaintNeeded();
    }
    void OnScrollChanged(Point scroll) override {
        if (view_ != nullptr) view_->OnScrollChanged(scroll);
    }

    CLayoutItemList items_;
    CWallEditor editor_;
    NoticeHandler notice_;
    LayoutObserver* view_ = nullptr;
};

}  // namespace hsq
