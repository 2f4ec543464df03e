#pragma once

#include <functional>
#include <thread>

namespace hsq::sim {

// A server's thread, with a descriptor it polls beside its own so that Stop can wake it.
class StoppableThread {
  public:
    StoppableThread();
    ~StoppableThread();
    StoppableThread(const StoppableThread&) = delete;
    StoppableThread& operator=(const StoppableThread&) = delete;

    // Runs body(wakeFd) on the thread; body must return once wakeFd is readable. False when the
    // wake-up pipe could not be made or the thread already runs.
    bool Start(std::function<void(int wakeFd)> body);
    // Wakes the body and waits for it to return. Safe to call more than once.
    void Stop();

  private:
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};

}  // namespace hsq::sim
