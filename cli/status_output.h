#pragma once

#include <string>

#include "service/processor_status.h"

namespace hsq::cli {

// The processor's status as lines for a person to read.
std::string StatusText(const ProcessorStatus& status);
// The same as one JSON object, for scripts.
std::string StatusJson(const ProcessorStatus& status);

}  // namespace hsq::cli
