#include "service/remote_events.h"

#include <chrono>

namespace hsq {

std::optional<RemoteEvent> RemoteEvents::Listener::Next(int waitMs) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::milliseconds(waitMs),
                      [this] { return closed_ || !queue_.empty(); });
    if (queue_.empty()) return std::nullopt;
    RemoteEvent event = std::move(queue_.front());
    queue_.pop_front();
    return event;
}

bool RemoteEvents::Listener::Closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

std::shared_ptr<RemoteEvents::Listener> RemoteEvents::Listen() {
    auto listener = std::make_shared<Listener>();
    std::lock_guard lock(mutex_);
    listeners_.push_back(listener);
    return listener;
}

void RemoteEvents::Publish(const RemoteEvent& event) {
    std::lock_guard lock(mutex_);
    std::erase_if(listeners_, [](const auto& weak) { return weak.expired(); });
    for (const auto& weak : listeners_) {
        const auto listener = weak.lock();
        if (!listener) continue;
        std::lock_guard hold(listener->mutex_);
        if (listener->queue_.size() == Listener::kKept) listener->queue_.pop_front();
        listener->queue_.push_back(event);
        listener->arrived_.notify_all();
    }
}

void RemoteEvents::Close() {
    std::lock_guard lock(mutex_);
    for (const auto& weak : listeners_) {
        if (const auto listener = weak.lock()) {
            std::lock_guard hold(listener->mutex_);
            listener->closed_ = true;
            listener->arrived_.notify_all();
        }
    }
    listeners_.clear();
}

}  // namespace hsq
