#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace hsq::sim {

namespace {

std::string Failure(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

// The termios of the line belong to the slave side: raw, so binary frames pass unchanged and
// nothing waits for a newline.
bool MakeRaw(int slave) {
    termios line{};
    if (tcgetattr(slave, &line) != 0)
        return false;
    cfmakeraw(&line);
    return tcsetattr(slave, TCSANOW, &line) == 0;
}

}  // namespace

PtyServer::PtyServer(SimulatedProcessor& processor, TrafficTrace* trace)
    : session_(processor, trace), pump_(session_, clock_, trace) {}

PtyServer::~PtyServer() {
    Stop();
    if (slave_ >= 0)
        close(slave_);
    if (master_ >= 0)
        close(master_);
}

bool PtyServer::Open(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) {
        error = Failure("posix_openpt");
        return false;
    }
    char name[128];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name)) {
        error = Failure("pseudo-terminal set-up");
        return false;
    }
    path_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0 || !MakeRaw(slave_)) {
        error = Failure(path_.c_str());
        return false;
    }
    return true;
}

bool PtyServer::Start() {
    if (master_ < 0)
        return false;
    return thread_.Start([this](int wakeFd) { Serve(wakeFd); });
}

void PtyServer::DropLine() {
    tcflush(slave_, TCIOFLUSH);
}

void PtyServer::Serve(int wakeFd) {
    while (true) {
        int timeout = pump_.MsUntilDue();
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (timeout == 0) {
            fds[0].events |= POLLOUT;
            timeout = -1;
        }
        if (poll(fds, 2, timeout) < 0 && errno != EINTR)
            return;
        if (fds[1].revents != 0)
            return;
        if ((fds[0].revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
            const auto result = pump_.ReadFrom(master_);
            // The server's own slave descriptor keeps the line up; a master that still fails
            // has no line behind it to serve.
            if (result == DescriptorPump::ReadResult::kClosed)
                return;
            if (result == DescriptorPump::ReadResult::kDropped)
                DropLine();
        }
        if (!pump_.WriteTo(master_))
            session_.Reset();
    }
}

}  // namespace hsq::sim
