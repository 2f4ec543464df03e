#include "service/access_token.h"

#include <arpa/inet.h>
#include <sys/random.h>
#include <sys/stat.h>

#include <array>
#include <charconv>

#include "config/atomic_file.h"

namespace hsq {
namespace {

constexpr std::size_t kTokenBytes = 32;

std::optional<int> PortOf(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

}  // namespace

std::optional<HttpAddress> ParseHttpAddress(std::string_view text) {
    std::string_view host;
    std::string_view port;
    if (text.starts_with('[')) {
        const auto close = text.find("]:");
        if (close == std::string_view::npos) return std::nullopt;
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else {
        const auto colon = text.rfind(':');
        if (colon == std::string_view::npos) return std::nullopt;
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (host.find(':') != std::string_view::npos) return std::nullopt;  // IPv6 needs brackets
    }
    const auto number = PortOf(port);
    if (host.empty() || !number) return std::nullopt;
    return HttpAddress{std::string(host), *number};
}

bool IsLoopbackHost(std::string_view host) {
    if (host == "localhost") return true;
    const std::string text(host);
    in_addr v4{};
    if (::inet_pton(AF_INET, text.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    return ::inet_pton(AF_INET6, text.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::optional<std::string> NewAccessToken() {
    std::array<unsigned char, kTokenBytes> bytes{};
    if (::getrandom(bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        return std::nullopt;
    constexpr char kDigits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : bytes) {
        token += kDigits[byte >> 4];
        token += kDigits[byte & 0x0F];
    }
    return token;
}

std::filesystem::path DefaultTokenFile(const char* configHome, const char* home) {
    std::filesystem::path base;
    if (configHome != nullptr && *configHome != '\0') {
        base = configHome;
    } else if (home != nullptr && *home != '\0') {
        base = std::filesystem::path(home) / ".config";
    } else {
        return {};
    }
    return base / "hsq2600" / "http-token";
}

bool WriteTokenFile(const std::filesystem::path& file, std::string_view token) {
    const auto folder = file.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder)) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error || ::chmod(folder.c_str(), 0700) != 0) return false;
    }
    return ReplaceFileAtomically(file, std::string(token) + "\n", FileAccess::OwnerOnly);
}

std::optional<std::string> ReadTokenFile(const std::filesystem::path& file) {
    const auto bytes = ReadFileBytes(file);
    if (!bytes) return std::nullopt;
    std::string token = bytes->substr(0, bytes->find_first_of("\r\n"));
    const auto last = token.find_last_not_of(" \t");
    token.erase(last == std::string::npos ? 0 : last + 1);
    token.erase(0, token.find_first_not_of(" \t"));
    if (token.empty()) return std::nullopt;
    return token;
}

bool SameToken(std::string_view given, std::string_view expected) {
    if (expected.empty()) return false;
    unsigned char difference = given.size() == expected.size() ? 0 : 1;
    for (std::size_t i = 0; i < given.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ expected[i % expected.size()]);
    return difference == 0;
}

}  // namespace hsq
