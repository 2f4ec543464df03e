#pragma once

#include <string>

namespace hsq {

// A name starting with '/' is a device path; "COMn" is /dev/ttyS(n-1); any other bare name X
// is /dev/X.
std::string SerialDevicePath(const std::string& portName);

}  // namespace hsq
