#include "config/input_profile.h"

#include <string>
#include <string_view>
#include <vector>

#include "commands/reply_decoders.h"
#include "config/profile_values.h"

namespace hsq {
namespace {

using CardInfo = std::array<std::uint8_t, 3>;
using Adjustment = std::array<std::uint8_t, 7>;

constexpr int kPipMargin = 16;

constexpr std::string_view kCardInfoSection = "InputCardInfo";
constexpr std::string_view kAdjustmentSection = "B_C_C_C_TKRGB_IN";
constexpr std::string_view kMainRectSection = "InputCardPIPMainData";
constexpr std::string_view kPipRectSection = "InputCardPIPPipData";

const std::vector<std::string>& InputSections() {
    static const std::vector<std::string> sections{
        std::string(kCardInfoSection), std::string(kAdjustmentSection),
        std::string(kMainRectSection), std::string(kPipRectSection)};
    return sections;
}

// Cards are numbered from 1 in the keys.
ProfileKey InputKey(std::string_view section, int card, std::string_view prefix,
                    std::string_view suffix) {
    return {ConfigFileKind::Input, 0, std::string(section),
            std::string(prefix) + std::to_string(card) + std::string(suffix)};
}

ProfileKey CardInfoKey(int card) {
    return InputKey(kCardInfoSection, card, "InCard", "");
}
ProfileKey AdjustmentKey(int card) {
    return InputKey(kAdjustmentSection, card, "InCard", "");
}
ProfileKey MainRectKey(int card) {
    return InputKey(kMainRectSection, card, "Input", "MainData");
}
ProfileKey PipRectKey(int card) {
    return InputKey(kPipRectSection, card, "Input", "PipData");
}

CardInfo CardInfoOf(const InputCardRecord& r) {
    return {r.mainSignal, r.mode, r.subSignal};
}

Adjustment AdjustmentOf(const InputCardRecord& r) {
    return {r.brightness, r.contrast, r.colour, r.thresholdDirection, r.red, r.green, r.blue};
}

void SetCardInfo(InputCardRecord& r, const CardInfo& v) {
    r.mainSignal = v[0];
    r.mode = v[1];
    r.subSignal = v[2];
}

void SetAdjustment(InputCardRecord& r, const Adjustment& v) {
    r.brightness = v[0];
    r.contrast = v[1];
    r.colour = v[2];
    r.thresholdDirection = v[3];
    r.red = v[4];
    r.green = v[5];
    r.blue = v[6];
}

std::uint16_t EvenThird(std::uint16_t size) {
    return static_cast<std::uint16_t>((size / 3) & ~1);
}

}  // namespace

void LoadInputProfile(const ProfileStore& store, InputCardRecords& records) {
    const bool loaded = store.CheckBeforeLoad(ConfigFileKind::Input, 0, InputSections());
    for (int card = 1; card <= kInputCardCount; ++card) {
        InputCardRecord& record = records[card - 1];
        record.loaded = loaded;
        CardInfo info{};
        ReadProfileInts(store, CardInfoKey(card), info);
        SetCardInfo(record, info);
        Adjustment adjustment{};
        ReadProfileInts(store, AdjustmentKey(card), adjustment);
        SetAdjustment(record, adjustment);
        record.mainRect = ReadProfileRect(store, MainRectKey(card));
        record.pipRect = ReadProfileRect(store, PipRectKey(card));
    }
}

bool SaveInputProfile(ProfileStore& store, const InputCardRecords& records) {
    bool allLoaded = true;
    ProfileBatch batch(store);
    for (int card = 1; card <= kInputCardCount; ++card) {
        const InputCardRecord& record = records[card - 1];
        allLoaded = allLoaded && record.loaded;
        if (!record.loaded) continue;
        WriteProfileInts(store, CardInfoKey(card), CardInfoOf(record));
        WriteProfileInts(store, AdjustmentKey(card), AdjustmentOf(record));
        WriteProfileRect(store, MainRectKey(card), record.mainRect);
        WriteProfileRect(store, PipRectKey(card), record.pipRect);
    }
    return batch.Commit() && allLoaded;
}

bool InitialiseInputProfile(ProfileStore& store, const OutputResolution& resolution) {
    WindowRect main;
    main.width = resolution.width;
    main.height = resolution.height;
    WindowRect pip;
    pip.width = EvenThird(resolution.width);
    pip.height = EvenThird(resolution.height);
    pip.x = kPipMargin;
    pip.y = kPipMargin;
    ProfileBatch batch(store);
    for (int card = 1; card <= kInputCardCount; ++card) {
        WriteProfileRect(store, MainRectKey(card), main);
        WriteProfileRect(store, PipRectKey(card), pip);
    }
    return batch.Commit();
}

std::uint8_t RecordInputCardInfo(ProfileStore& store, const Frame& reply) {
    const InputCardInfoReport r = DecodeInputCardInfo(reply);
    const int card = r.card + 1;
    ProfileBatch batch(store);
    WriteProfileInts(store, CardInfoKey(card), CardInfo{r.mainSignal, r.mode, r.subSignal});
    WriteProfileInts(store, AdjustmentKey(card),
                     Adjustment{r.brightness, r.contrast, r.colour, r.thresholdDirection, r.red,
                                r.green, r.blue});
    return r.lowBits;
}

bool RecordInputMainWindow(ProfileStore& store, const Frame& reply) {
    const InputWindowReport report = DecodeInputWindow(reply);
    return WriteProfileRect(store, MainRectKey(report.card + 1), report.rect);
}

bool RecordInputPipWindow(ProfileStore& store, const Frame& reply) {
    const InputWindowReport report = DecodeInputWindow(reply);
    return WriteProfileRect(store, PipRectKey(report.card + 1), report.rect);
}

}  // namespace hsq
