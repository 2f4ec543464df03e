#include "config/profile_values.h"

#include <algorithm>

#include "config/comma_list.h"

namespace hsq {

std::string ReadProfileText(const ProfileStore& store, const ProfileKey& key) {
    std::string value;
    store.ReadValue(key.kind, key.section, key.key, value, key.card);
    return value;
}

int ReadProfileInt(const ProfileStore& store, const ProfileKey& key) {
    return DecimalValue(ReadProfileText(store, key));
}

namespace {

std::vector<int> NumbersOf(const std::vector<std::string>& fields, std::size_t count) {
    std::vector<int> values(count, 0);
    const std::size_t present = std::min(count, fields.size());
    for (std::size_t i = 0; i < present; ++i)
        values[i] = DecimalValue(fields[i]);
    return values;
}

WindowRect RectOf(const std::vector<int>& v) {
    WindowRect rect;
    rect.width = static_cast<std::uint16_t>(v[0]);
    rect.height = static_cast<std::uint16_t>(v[1]);
    rect.x = static_cast<std::uint16_t>(v[2]);
    rect.y = static_cast<std::uint16_t>(v[3]);
    return rect;
}

}  // namespace

std::vector<int> ReadProfileInts(const ProfileStore& store, const ProfileKey& key,
                                 std::size_t count) {
    const std::string text = ReadProfileText(store, key);
    std::vector<std::string> fields;
    SplitCommaList(text, fields);
    if (!text.empty() && fields.size() < count) store.ReportShortList(key.kind, key.card);
    return NumbersOf(fields, count);
}

WindowRect ReadProfileRect(const ProfileStore& store, const ProfileKey& key) {
    return RectOf(ReadProfileInts(store, key, 4));
}

std::vector<int> ProfileInts(std::string_view text, std::size_t count) {
    std::vector<std::string> fields;
    SplitCommaList(text, fields);
    return NumbersOf(fields, count);
}

WindowRect ProfileRect(std::string_view text) {
    return RectOf(ProfileInts(text, 4));
}

bool WriteProfileText(ProfileStore& store, const ProfileKey& key, std::string_view value) {
    return store.WriteValue(key.kind, key.section, key.key, value, key.card);
}

bool WriteProfileInt(ProfileStore& store, const ProfileKey& key, int value) {
    return store.WriteInt(key.kind, key.section, key.key, value, key.card);
}

std::string JoinProfileInts(std::span<const int> values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(values[i]);
    }
    return text;
}

bool WriteProfileInts(ProfileStore& store, const ProfileKey& key, std::span<const int> values) {
    return WriteProfileText(store, key, JoinProfileInts(values));
}

bool WriteProfileRect(ProfileStore& store, const ProfileKey& key, const WindowRect& rect) {
    const std::array<int, 4> values{rect.width, rect.height, rect.x, rect.y};
    return WriteProfileInts(store, key, std::span<const int>(values));
}

}  // namespace hsq
