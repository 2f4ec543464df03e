#pragma once

#include <variant>
#include <vector>

#include "canvas/layout_events.h"

namespace hsq {

struct NoticeEvent {
    LayoutNotice notice;
    std::vector<CLayoutItem*> items;
    friend bool operator==(const NoticeEvent&, const NoticeEvent&) = default;
};
struct RepaintEvent {
    friend bool operator==(const RepaintEvent&, const RepaintEvent&) = default;
};
struct ScrollEvent {
    Point scroll;
    friend bool operator==(const ScrollEvent&, const ScrollEvent&) = default;
};

using EditorEvent = std::variant<NoticeEvent, RepaintEvent, ScrollEvent>;

// Keeps what the editor told its owner, in order.
class RecordingObserver : public LayoutObserver {
public:
    void OnLayoutNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) override {
        events.push_back(NoticeEvent{notice, items});
    }
    void OnRepaintNeeded() override { events.push_back(RepaintEvent{}); }
    void OnScrollChanged(Point scroll) override { events.push_back(ScrollEvent{scroll}); }

    std::vector<NoticeEvent> Notices() const {
        std::vector<NoticeEvent> notices;
        for (const EditorEvent& event : events)
            if (const auto* notice = std::get_if<NoticeEvent>(&event)) notices.push_back(*notice);
        return notices;
    }

    std::vector<EditorEvent> events;
};

}  // namespace hsq
