#include "link/serial_port_names.h"

#include <cctype>

namespace hsq {

namespace {

// The number n of "COMn" (any case), or 0 when the name has another form.
int ComPortNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 6)
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return 0;
    }
    int number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

}  // namespace

std::string SerialDevicePath(const std::string& portName) {
    if (!portName.empty() && portName.front() == '/')
        return portName;
    if (const int number = ComPortNumber(portName); number >= 1) {
        return "/dev/ttyS" + std::to_string(number - 1);
    }
    return "/dev/" + portName;
}

}  // namespace hsq
