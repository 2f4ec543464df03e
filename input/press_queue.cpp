#include "input/press_queue.h"

#include <utility>

namespace hsq {

PressQueue::PressQueue() : sender_([this] { SendQueued(); }) {}

PressQueue::~PressQueue() {
    {
        std::lock_guard hold(mutex_);
        closing_ = true;
    }
    wake_.notify_one();
    sender_.join();
}

void PressQueue::Add(std::function<void()> send) {
    {
        std::lock_guard hold(mutex_);
        queued_.push_back(std::move(send));
    }
    wake_.notify_one();
}

void PressQueue::SendQueued() {
    std::unique_lock hold(mutex_);
    for (;;) {
        wake_.wait(hold, [this] { return closing_ || !queued_.empty(); });
        if (queued_.empty()) return;
        std::function<void()> send = std::move(queued_.front());
        queued_.pop_front();
        hold.unlock();
        send();
        hold.lock();
    }
}

}  // namespace hsq
