#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hsq {

// Splits a stored list at every ",". The text is trimmed first; a list whose first field is
// empty ("" or ",5") is empty. "5," gives "5" and "".
void SplitCommaList(std::string_view text, std::vector<std::string>& fields);

// Leading decimal digits with an optional sign after leading white space; no digits gives 0.
// Values beyond int saturate.
int DecimalValue(std::string_view text);

}  // namespace hsq
