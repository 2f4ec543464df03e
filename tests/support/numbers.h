#pragma once

#include <vector>

namespace hsq::testing {

// Fields as plain numbers, so a record's or a report's fields compare in one check.
template <typename... Fields>
std::vector<int> Numbers(Fields... fields) {
    return {static_cast<int>(fields)...};
}

}  // namespace hsq::testing
