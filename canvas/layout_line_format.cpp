#include "canvas/layout_line_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace hsq {
namespace {

constexpr std::string_view kPaperKey = "paper";

struct Escape {
    std::string_view plain;
    std::string_view escaped;
};

constexpr std::array<Escape, 4> kEscapes{{
    {":", "\\colon"},
    {";", "\\semicolon"},
    {",", "\\comma"},
    {"\r\n", "\\newline"},
}};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t comma = text.find(','); comma != std::string_view::npos;
         comma = text.find(',')) {
        parts.push_back(text.substr(0, comma));
        text.remove_prefix(comma + 1);
    }
    parts.push_back(text);
    return parts;
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitAtFirstColon(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return KeyValue{Trimmed(line.substr(0, colon)), Trimmed(line.substr(colon + 1))};
}

// The whole field, and nothing but the number, must read.
template <typename Number>
std::optional<Number> ReadNumber(std::string_view field) {
    field = Trimmed(field);
    Number value{};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc{} || end != field.data() + field.size() || field.empty())
        return std::nullopt;
    return value;
}

std::optional<double> ReadCoordinate(std::string_view field) {
    const std::optional<double> value = ReadNumber<double>(field);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > kMaxLineCoordinate)
        return std::nullopt;
    return value;
}

std::optional<int> ReadPaperExtent(std::string_view field) {
    const std::optional<int> value = ReadNumber<int>(field);
    if (!value || *value < 0 || *value > kMaxPaperExtent) return std::nullopt;
    return value;
}

void AppendFixed(std::string& out, double value) {
    // Fixed notation of any finite double fits: up to 309 digits, the point and six decimals.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 6);
    out.append(buffer.data(), result.ptr);
}

std::optional<RectF> ReadRect(const std::vector<std::string_view>& fields) {
    std::array<double, 4> edges{};
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const std::optional<double> value = ReadCoordinate(fields[i]);
        if (!value) return std::nullopt;
        edges[i] = *value;
    }
    const RectF rect{edges[0], edges[1], edges[2], edges[3]};
    if (rect.right < rect.left || rect.bottom < rect.top) return std::nullopt;
    return rect;
}

enum class Direction { Escape, Unescape };

// One pass from the left, so a replacement is never looked at again.
std::string Replaced(std::string_view text, Direction direction) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Escape* match = nullptr;
        for (const Escape& escape : kEscapes) {
            const std::string_view from =
                direction == Direction::Escape ? escape.plain : escape.escaped;
            if (text.starts_with(from)) match = &escape;
        }
        if (match == nullptr) {
            out += text.front();
            text.remove_prefix(1);
            continue;
        }
        const bool escaping = direction == Direction::Escape;
        out += escaping ? match->escaped : match->plain;
        text.remove_prefix(escaping ? match->plain.size() : match->escaped.size());
    }
    return out;
}

}  // namespace

std::string EscapeLineText(std::string_view text) { return Replaced(text, Direction::Escape); }

std::string UnescapeLineText(std::string_view text) { return Replaced(text, Direction::Unescape); }

std::string WritePaperLine(Size paper) {
    return std::string(kPaperKey) + ":" + std::to_string(paper.width) + "," +
           std::to_string(paper.height) + ";";
}

std::optional<Size> ReadPaperLine(std::string_view line) {
    const std::optional<KeyValue> pair = SplitAtFirstColon(line);
    if (!pair || pair->key != kPaperKey || !pair->value.ends_with(';')) return std::nullopt;
    const std::vector<std::string_view> parts =
        SplitAtCommas(pair->value.substr(0, pair->value.size() - 1));
    if (parts.size() != 2) return std::nullopt;
    const std::optional<int> width = ReadPaperExtent(parts[0]);
    const std::optional<int> height = ReadPaperExtent(parts[1]);
    if (!width || !height) return std::nullopt;
    return Size{*width, *height};
}

std::string WriteItemLine(const ItemLine& item) {
    std::string line = item.type + ":";
    for (double edge : {item.rect.left, item.rect.top, item.rect.right, item.rect.bottom}) {
        AppendFixed(line, edge);
        line += ',';
    }
    line += EscapeLineText(item.title) + "," + EscapeLineText(item.name) + ",";
    line += std::to_string(item.group);
    return line;
}

std::optional<ItemLine> ReadItemLine(std::string_view line) {
    const std::optional<KeyValue> pair = SplitAtFirstColon(line);
    if (!pair || pair->key.empty() || pair->key == kPaperKey) return std::nullopt;
    const std::vector<std::string_view> fields = SplitAtCommas(pair->value);
    if (fields.size() != 7) return std::nullopt;
    const std::optional<RectF> rect = ReadRect(fields);
    const std::optional<int> group = ReadNumber<int>(fields[6]);
    if (!rect || !group) return std::nullopt;
    return ItemLine{std::string(pair->key), *rect, UnescapeLineText(fields[4]),
                    UnescapeLineText(fields[5]), *group};
}

}  // namespace hsq
