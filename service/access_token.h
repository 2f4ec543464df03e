#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hsq {

// Where the HTTP interface listens, from "ADDRESS:PORT" ("127.0.0.1:8026", "localhost:8026",
// "[::1]:8026"); empty for anything else.
struct HttpAddress {
    std::string host;
    int port = 0;
};
std::optional<HttpAddress> ParseHttpAddress(std::string_view text);

// 127.0.0.0/8, ::1 and "localhost": only this machine can reach them.
bool IsLoopbackHost(std::string_view host);

// A fresh access token: 32 bytes from the kernel's random source, in hexadecimal. Empty when
// the source gives nothing.
std::optional<std::string> NewAccessToken();

// "$XDG_CONFIG_HOME/hsq2600/http-token", by default "~/.config/hsq2600/http-token"; empty with
// neither variable.
std::filesystem::path DefaultTokenFile(const char* configHome, const char* home);

// Writes the token, replacing the file whole, readable by its owner only; the folder is made
// (rwx------) when missing.
bool WriteTokenFile(const std::filesystem::path& file, std::string_view token);
// The token on the file's first line; empty when the file cannot be read or holds none.
std::optional<std::string> ReadTokenFile(const std::filesystem::path& file);

// Compares in a time that depends on the lengths only, so that the answer's timing does not
// tell how much of a guess was right.
bool SameToken(std::string_view given, std::string_view expected);

}  // namespace hsq
