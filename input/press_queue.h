#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace hsq {

// Sends the frames of a window's presses in the order pressed, on a thread of its own: a press
// never waits for the one before it, and none is lost while the link is busy with another.
class PressQueue {
  public:
    PressQueue();
    // Sends what is still queued, then ends.
    ~PressQueue();
    PressQueue(const PressQueue&) = delete;
    PressQueue& operator=(const PressQueue&) = delete;

    void Add(std::function<void()> send);

  private:
    void SendQueued();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queued_;
    bool closing_ = false;
    std::thread sender_;  // last, so that it starts once the rest is in place
};

}  // namespace hsq
