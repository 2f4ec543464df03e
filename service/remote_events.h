#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace hsq {

// One change a remote client is told of: its name and its JSON.
struct RemoteEvent {
    std::string name;
    std::string data;
    friend bool operator==(const RemoteEvent&, const RemoteEvent&) = default;
};

// Hands every change to each listener that is open at the time, each at its own pace: a
// listener that does not read loses its oldest events, never holds up the others.
class RemoteEvents {
  public:
    class Listener {
      public:
        // The next event, waiting up to waitMs for one; nothing when none came or the events
        // have closed.
        std::optional<RemoteEvent> Next(int waitMs);
        bool Closed() const;

      private:
        friend class RemoteEvents;
        static constexpr std::size_t kKept = 256;
        mutable std::mutex mutex_;
        std::condition_variable arrived_;
        std::deque<RemoteEvent> queue_;
        bool closed_ = false;
    };

    ~RemoteEvents() { Close(); }

    std::shared_ptr<Listener> Listen();
    void Publish(const RemoteEvent& event);
    // Ends every listener's wait: the service is stopping.
    void Close();

  private:
    std::mutex mutex_;
    std::list<std::weak_ptr<Listener>> listeners_;
};

}  // namespace hsq
