#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace hsq::testing {

// Waits for something a real peer does (bytes crossing a pseudo-terminal or a loopback socket).
// Bounded, and returns as soon as the condition holds; it never sleeps a fixed time.
inline bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        sched_yield();
    }
    return true;
}

// Whether a thread of this process is asleep in the kernel, as one blocked in poll() is.
inline bool ThreadIsSleeping(pid_t thread) {
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    const std::string text{std::istreambuf_iterator<char>(stat), {}};
    const auto name = text.rfind(')');
    return name != std::string::npos && name + 2 < text.size() && text[name + 2] == 'S';
}

// A pseudo-terminal whose master side plays the processor. A second descriptor of the slave is
// held open beside the port under test, so the test can see bytes arrive without taking them.
class PtyPair {
  public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw std::runtime_error("no pseudo-terminal");
        slavePath_ = ptsname(master_);
        watch_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (watch_ < 0)
            throw std::runtime_error("cannot open " + slavePath_);
    }
    ~PtyPair() {
        close(watch_);
        if (master_ >= 0)
            close(master_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return slavePath_; }

    void SendToPort(const std::vector<std::uint8_t>& bytes) {
        if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("master write failed");
    }

    int WaitingAtPort() const { return Waiting(watch_); }
    // Bytes the processor's end holds unread.
    int WaitingAtProcessor() const { return Waiting(master_); }

    bool WaitUntilPortHas(int count) const {
        return Eventually([&] { return WaitingAtPort() >= count; });
    }

    // Bytes the port wrote, once count of them have arrived (fewer if they never do).
    std::vector<std::uint8_t> ReceiveFromPort(std::size_t count) {
        std::vector<std::uint8_t> got;
        Eventually([&] {
            std::uint8_t chunk[64];
            pollfd entry{master_, POLLIN, 0};
            if (poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN) != 0) {
                const ssize_t n = read(master_, chunk, std::min(sizeof chunk, count - got.size()));
                if (n > 0)
                    got.insert(got.end(), chunk, chunk + n);
            }
            return got.size() >= count;
        });
        return got;
    }

    // Stops the port's output as a processor that has stopped taking bytes leaves it, or lets it
    // go again.
    void HoldPortOutput(bool held) {
        if (tcflow(watch_, held ? TCOOFF : TCOON) != 0)
            throw std::runtime_error("tcflow failed");
    }

    // The processor's end goes away, as when a simulator quits or a cable is pulled.
    void CloseProcessorEnd() {
        close(master_);
        master_ = -1;
    }

    // The port's end, for reading and setting its line directly.
    int portSide() const { return watch_; }

    // The tty's exclusive-use flag, which keeps every opener but root out.
    bool PortIsExclusive() const {
        int exclusive = 0;
        if (ioctl(watch_, TIOCGEXCL, &exclusive) != 0)
            throw std::runtime_error("TIOCGEXCL failed");
        return exclusive != 0;
    }

  private:
    static int Waiting(int fd) {
        int waiting = 0;
        ioctl(fd, FIONREAD, &waiting);
        return waiting;
    }

    int master_ = -1;
    int watch_ = -1;
    std::string slavePath_;
};

}  // namespace hsq::testing
