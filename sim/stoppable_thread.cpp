#include "sim/stoppable_thread.h"

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace hsq::sim {

StoppableThread::StoppableThread() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
}

StoppableThread::~StoppableThread() {
    Stop();
    if (wakeRead_ >= 0)
        close(wakeRead_);
    if (wakeWrite_ >= 0)
        close(wakeWrite_);
}

bool StoppableThread::Start(std::function<void(int)> body) {
    if (wakeRead_ < 0 || thread_.joinable())
        return false;
    thread_ = std::thread([this, body = std::move(body)] { body(wakeRead_); });
    return true;
}

void StoppableThread::Stop() {
    if (!thread_.joinable())
        return;
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = write(wakeWrite_, &wake, 1);
    thread_.join();
    char drained;
    while (read(wakeRead_, &drained, 1) == 1) {
    }
}

}  // namespace hsq::sim
