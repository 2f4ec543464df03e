#include "link/serial_port.h"

#include "link/clock.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace hsq {

namespace {

void WriteTrace(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

bool BaudConstant(std::uint32_t baud, speed_t& constant) {
    static constexpr struct {
        std::uint32_t baud;
        speed_t constant;
    } kRates[] = {{1200, B1200},     {2400, B2400},     {4800, B4800},    {9600, B9600},
                  {19200, B19200},   {38400, B38400},   {57600, B57600},  {115200, B115200},
                  {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& rate : kRates) {
        if (rate.baud == baud) {
            constant = rate.constant;
            return true;
        }
    }
    return false;
}

bool ByteSizeFlag(std::uint8_t byteSize, tcflag_t& flag) {
    switch (byteSize) {
        case 5:
            flag = CS5;
            return true;
        case 6:
            flag = CS6;
            return true;
        case 7:
            flag = CS7;
            return true;
        case 8:
            flag = CS8;
            return true;
        default:
            return false;
    }
}

bool ParityFlags(std::uint8_t parity, tcflag_t& flags) {
    switch (parity) {
        case 0:
            flags = 0;
            return true;
        case 1:
            flags = PARENB | PARODD;
            return true;
        case 2:
            flags = PARENB;
            return true;
        case 3:
            flags = PARENB | PARODD | CMSPAR;
            return true;
        case 4:
            flags = PARENB | CMSPAR;
            return true;
        default:
            return false;
    }
}

constexpr tcflag_t kFramingFlags = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;

// Raw line in full: no echo, no canonical input, no CR/LF translation, no output processing, no
// software flow control (0x11 and 0x13 are ordinary frame bytes), modem lines ignored. Drivers
// leave IXOFF or INPCK set, which cfmakeraw keeps, so every input, output and local flag is set
// here. Reads never wait: they take only what FIONREAD reports.
bool BuildLineSettings(termios& line, std::uint32_t baud, bool parityCheck, std::uint8_t byteSize,
                       std::uint8_t parity, std::uint8_t stopBits) {
    speed_t speed{};
    tcflag_t sizeFlag{};
    tcflag_t parityFlags{};
    if (!BaudConstant(baud, speed) || !ByteSizeFlag(byteSize, sizeFlag) ||
        !ParityFlags(parity, parityFlags) || stopBits > 2) {
        return false;
    }
    line.c_iflag = parityCheck ? INPCK : 0;
    line.c_oflag = 0;
    line.c_lflag = 0;
    line.c_cflag &= ~kFramingFlags;
    line.c_cflag |= sizeFlag | parityFlags | CLOCAL | CREAD;
    // Linux has no one and a half stop bits; two is the nearest the driver offers.
    if (stopBits != 0)
        line.c_cflag |= CSTOPB;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    cfsetispeed(&line, speed);
    cfsetospeed(&line, speed);
    return true;
}

// tcsetattr succeeds when any one of the changes took, so only a read-back shows the line as it is.
bool LineTookSettings(const termios& wanted, const termios& actual) {
    constexpr tcflag_t kChecked = kFramingFlags | CLOCAL | CREAD;
    return cfgetispeed(&actual) == cfgetispeed(&wanted) &&
           cfgetospeed(&actual) == cfgetospeed(&wanted) &&
           (actual.c_cflag & kChecked) == (wanted.c_cflag & kChecked) &&
           actual.c_iflag == wanted.c_iflag && actual.c_oflag == wanted.c_oflag &&
           actual.c_lflag == wanted.c_lflag;
}

// 13 bytes take 14 ms at 9600 baud; a line that has not taken a frame by then is stuck.
constexpr int kWriteLimitMs = 500;

bool DeviceGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

Clock& DefaultClock() {
    static SystemClock clock;
    return clock;
}

std::string RenderBytes(const std::uint8_t* bytes, int count, int traceMode) {
    if (traceMode != 1) {
        const void* end = std::memchr(bytes, 0, static_cast<std::size_t>(count));
        const auto length =
            end == nullptr
                ? static_cast<std::size_t>(count)
                : static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - bytes);
        return std::string(reinterpret_cast<const char*>(bytes), length);
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 3);
    for (int i = 0; i < count; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i == 0 ? "%02x" : " %02x", bytes[i]);
        text += hex;
    }
    return text;
}

}  // namespace

std::string FormatTraceLine(int hour, int minute, int second, int millisecond,
                            const std::uint8_t* bytes, int count, int traceMode, bool outgoing) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d-%03d", hour, minute, second, millisecond);
    return std::string(stamp) + (outgoing ? " -> " : " <- ") + RenderBytes(bytes, count, traceMode);
}

CSerialPort::CSerialPort() : clock_(&DefaultClock()) {}

CSerialPort::CSerialPort(Clock& clock) : clock_(&clock) {}

CSerialPort::~CSerialPort() {
    Close();
}

int CSerialPort::Open(const std::string& devicePath) {
    Close();
    const int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        WriteTrace("CreateFile Error\n");
        ReportLastError();
        return 0;
    }
    // Not shared: TIOCEXCL keeps other users out, the lock keeps out root and our own kind. The
    // lock comes first, so a refused opener never touches the holder's flag.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        WriteTrace("CreateFile Error\n");
        ReportLastError();
        return 0;
    }
    handle_ = fd;
    return 1;
}

int CSerialPort::Configure(std::uint32_t baud, bool parityCheck, std::uint8_t byteSize,
                           std::uint8_t parity, std::uint8_t stopBits) {
    termios line{};
    configured_ = handle_ >= 0 && tcgetattr(handle_, &line) == 0 ? 1 : 0;
    if (configured_ == 0) {
        if (handle_ < 0)
            errno = EBADF;
        WriteTrace("GetCommState Error\n");
        ReportLastError();
        Close();
        return 0;
    }
    if (!BuildLineSettings(line, baud, parityCheck, byteSize, parity, stopBits)) {
        errno = EINVAL;
        configured_ = 0;
    } else {
        configured_ = tcsetattr(handle_, TCSANOW, &line) == 0 ? 1 : 0;
        termios actual{};
        if (configured_ != 0 && tcgetattr(handle_, &actual) != 0) {
            configured_ = 0;
        } else if (configured_ != 0 && !LineTookSettings(line, actual)) {
            errno = EINVAL;
            configured_ = 0;
        }
    }
    if (configured_ == 0) {
        WriteTrace("SetCommState Error\n");
        ReportLastError();
        Close();
        return 0;
    }
    return 1;
}

int CSerialPort::Write(const std::uint8_t* buffer, int count, int traceMode) {
    if (!IsOpen() || count <= 0)
        return 0;
    if (!WriteWhole(buffer, count)) {
        // The processor must never see a torn frame: drop what of it still waits in the driver.
        const int error = errno;
        tcflush(handle_, TCOFLUSH);
        errno = error;
        WriteTrace("WriteFile Error\n");
        ReportLastError();
        return 0;
    }
    LogTraffic(buffer, count, traceMode, true);
    return count;
}

// The port stays non-blocking (opening must not wait for carrier), so a full output queue takes
// part of a frame or none; wait for room, within kWriteLimitMs for the whole frame.
bool CSerialPort::WriteWhole(const std::uint8_t* bytes, int count) {
    const std::int64_t deadline = clock_->NowMs() + kWriteLimitMs;
    int sent = 0;
    while (sent < count) {
        const ssize_t written =
            write(handle_, bytes + sent, static_cast<std::size_t>(count - sent));
        if (written > 0) {
            sent += static_cast<int>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        const std::int64_t left = deadline - clock_->NowMs();
        if (left <= 0)
            return false;
        clock_->WaitDescriptor(handle_, POLLOUT, static_cast<int>(left));
    }
    return true;
}

int CSerialPort::Read(std::uint8_t* buffer, int count, int traceMode) {
    // A gone device has said so once; asking again every poll would only repeat the lines.
    if (!IsOpen() || count <= 0 || gone_)
        return 0;
    int waiting = 0;
    if (ioctl(handle_, FIONREAD, &waiting) != 0) {
        ReportReadFailure();
        return 0;
    }
    if (waiting <= 0)
        return 0;
    const int wanted = waiting < count ? waiting : count;
    const ssize_t got = read(handle_, buffer, static_cast<std::size_t>(wanted));
    if (got < 0) {
        ReportReadFailure();
        return 0;
    }
    if (got > 0)
        LogTraffic(buffer, static_cast<int>(got), traceMode, false);
    return static_cast<int>(got);
}

void CSerialPort::ReportReadFailure() {
    gone_ = DeviceGone(errno);
    WriteTrace("ReadFile Error\n");
    ReportLastError();
}

int CSerialPort::ReadAvailable(std::uint8_t* bytes, int count) {
    const int got = Read(bytes, count, 1);
    return gone_ ? kTransportGone : got;
}

void CSerialPort::Close() {
    if (handle_ >= 0) {
        // The exclusive flag belongs to the tty, not to our descriptor: left set, it keeps every
        // other user out for as long as anyone (the far end of a pseudo-terminal) holds the tty.
        ioctl(handle_, TIOCNXCL);
        close(handle_);
    }
    handle_ = -1;
    configured_ = 0;
    gone_ = false;
}

bool CSerialPort::IsOpen() const {
    return handle_ >= 0 && configured_ != 0;
}

void CSerialPort::LogTraffic(const std::uint8_t* bytes, int count, int traceMode, bool outgoing) {
    const LocalTime now = clock_->LocalNow();
    WriteTrace(FormatTraceLine(now.hour, now.minute, now.second, now.millisecond, bytes, count,
                               traceMode, outgoing) +
               "\n");
}

void CSerialPort::ReportLastError() {
    const int error = errno;
    WriteTrace("GetLastError: " + std::string(std::strerror(error)) + "\n");
}

}  // namespace hsq
