#pragma once

#include <optional>
#include <string_view>

namespace hsq {

// One file of the remote control's web page, built into the program.
struct WebAsset {
    std::string_view contentType;
    std::string_view body;
};

// The file at a request path ("/" is the page itself); nothing for any other path.
std::optional<WebAsset> FindWebAsset(std::string_view path);

}  // namespace hsq
