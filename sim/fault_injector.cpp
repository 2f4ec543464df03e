#include "sim/fault_injector.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace hsq::sim {

namespace {

constexpr std::array<std::pair<std::string_view, FaultKind>, 7> kFaultNames{{
    {"noreply", FaultKind::kNoReply},
    {"late", FaultKind::kLate},
    {"pieces", FaultKind::kPieces},
    {"extra", FaultKind::kExtra},
    {"badsum", FaultKind::kBadSum},
    {"drop", FaultKind::kDrop},
    {"garbage", FaultKind::kGarbage},
}};

std::optional<FaultKind> KindNamed(std::string_view name) {
    for (const auto& [text, kind] : kFaultNames) {
        if (text == name)
            return kind;
    }
    return std::nullopt;
}

std::optional<double> ParseRate(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double rate = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(rate) || rate < 0 ||
        rate > 1)
        return std::nullopt;
    return rate;
}

}  // namespace

std::optional<FaultRule> ParseFaultRule(std::string_view text) {
    const auto colon = text.find(':');
    const auto kind = KindNamed(text.substr(0, colon));
    if (!kind)
        return std::nullopt;
    if (colon == std::string_view::npos)
        return FaultRule{*kind, 1.0};
    const auto rate = ParseRate(text.substr(colon + 1));
    if (!rate)
        return std::nullopt;
    return FaultRule{*kind, *rate};
}

FaultInjector::FaultInjector(const std::vector<FaultRule>& faults, std::uint64_t seed)
    : random_(seed) {
    for (const FaultRule& rule : faults) {
        std::erase_if(faults_, [&](const FaultRule& known) { return known.kind == rule.kind; });
        faults_.push_back(rule);
    }
    std::sort(faults_.begin(), faults_.end(),
              [](const FaultRule& a, const FaultRule& b) { return a.kind < b.kind; });
}

// Every fault draws for every reply, hit or not, so one fault's rate does not shift the
// pattern of another.
bool FaultInjector::Hits(double rate) {
    const double draw = static_cast<double>(random_() >> 11) * 0x1.0p-53;
    return draw < rate;
}

int FaultInjector::Between(int low, int high) {
    return low + static_cast<int>(random_() % static_cast<std::uint64_t>(high - low + 1));
}

std::vector<std::uint8_t> FaultInjector::RandomBytes(int count) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random_());
    return bytes;
}

// Until the pieces fault splits it, the delivery is one chunk.
void FaultInjector::Apply(FaultKind kind, Delivery& delivery) {
    auto& bytes = delivery.chunks.front().bytes;
    switch (kind) {
        case FaultKind::kBadSum:
            bytes[kFrameSize - 1] ^= 0xFF;
            break;
        case FaultKind::kExtra: {
            const auto extra = RandomBytes(Between(1, 8));
            bytes.insert(bytes.end(), extra.begin(), extra.end());
            break;
        }
        case FaultKind::kGarbage: {
            const auto garbage = RandomBytes(Between(1, 12));
            bytes.insert(bytes.begin(), garbage.begin(), garbage.end());
            break;
        }
        case FaultKind::kPieces: {
            const int cut = Between(1, static_cast<int>(bytes.size()) - 1);
            std::vector<std::uint8_t> rest(bytes.begin() + cut, bytes.end());
            bytes.resize(static_cast<std::size_t>(cut));
            delivery.chunks.push_back({kPieceGapMs, std::move(rest)});
            break;
        }
        case FaultKind::kLate:
            for (ReplyChunk& chunk : delivery.chunks)
                chunk.delayMs += kLateReplyMs;
            break;
        case FaultKind::kNoReply:
            delivery.chunks.clear();
            break;
        case FaultKind::kDrop:
            delivery.chunks.clear();
            delivery.dropConnection = true;
            break;
    }
}

Delivery FaultInjector::Deliver(const Frame& reply) {
    Delivery delivery{{{0, std::vector<std::uint8_t>(reply.begin(), reply.end())}}, false};
    for (const FaultRule& fault : faults_) {
        if (Hits(fault.rate) && !delivery.chunks.empty())
            Apply(fault.kind, delivery);
    }
    return delivery;
}

}  // namespace hsq::sim
