#pragma once

#include <string>

namespace hsq {

// One key write: section and key as the caller names them, the value as UTF-8 text.
struct IniEdit {
    std::string section;
    std::string key;
    std::string value;
};

}  // namespace hsq
