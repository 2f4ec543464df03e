#include "output/advanced_output_logic.h"

#include <algorithm>

#include "app/paced_plan.h"
#include "config/output_board_profile.h"
#include "dialog/processor_messages.h"

namespace hsq {
namespace {

constexpr Bilingual kTitle{"高级设置-----板卡:", "Advanced-----Board:"};
constexpr Bilingual kConfirmApplicationMode{
    "确定要修改本卡的配置模式吗？修改之后将会对数据进行初始化，包括所有模式数据!",
    "Do you want to modify the config_mode of the card? After modifying the data and all modes "
    "data will be initialized!"};
// In the order of kApplicationModes.
constexpr std::array<Bilingual, 4> kModeCaptions{{
    {"4路拼接或4:4矩阵", "4 Outputs Splitter/4:4 Matrix"},
    {"2路双画面", "4:2 Overlay Matrix"},
    {"4画面", "4 Image Overlay"},
    {"4:2无缝切换", "Dual PIP/POP"},
}};

// Where a mode stands among the radio buttons; nothing for a mode none offers.
std::optional<std::size_t> OfferedAt(int mode) {
    const auto& modes = AdvancedOutputLogic::kApplicationModes;
    const auto found = std::find(modes.begin(), modes.end(), mode);
    if (found == modes.end()) return std::nullopt;
    return static_cast<std::size_t>(found - modes.begin());
}

}  // namespace

AdvancedOutputLogic::AdvancedOutputLogic(MainWindowState& state, ProfileStore& store,
                                         DeviceCommands& commands, DialogHost& host, int card)
    : state_(state), store_(store), commands_(commands), host_(host), card_(card) {}

std::string AdvancedOutputLogic::Title() const {
    return std::string(kTitle.In(Language())) + static_cast<char>('K' + card_);
}

std::string_view AdvancedOutputLogic::CaptionText(Caption caption) const {
    const LanguageFlag l = Language();
    switch (caption) {
        case Caption::Synchronization: return Bilingual{"帧同步", "Synchronization"}.In(l);
        case Caption::Open: return Bilingual{"开", "Open"}.In(l);
        case Caption::Close: return Bilingual{"关", "Close"}.In(l);
        case Caption::ResetHdmi: return Bilingual{"重置HDMI", "Reset_HDMI"}.In(l);
        case Caption::Reset: return Bilingual{"重置", "Reset"}.In(l);
        case Caption::ApplicationMode: return Bilingual{"应用模式", "App.Mode"}.In(l);
    }
    return {};
}

std::string_view AdvancedOutputLogic::ModeCaption(std::uint8_t mode) const {
    const auto at = OfferedAt(mode);
    return at ? kModeCaptions[*at].In(Language()) : std::string_view{};
}

std::optional<std::uint8_t> AdvancedOutputLogic::CheckedMode() const {
    if (!OfferedAt(Record().configMode)) return std::nullopt;
    return Record().configMode;
}

void AdvancedOutputLogic::Send(const std::function<void()>& exchange) {
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        exchange();
    });
}

void AdvancedOutputLogic::OnSynchronization(bool open) {
    Send([&] { commands_.SetSynchronization(open); });
}

void AdvancedOutputLogic::OnResetHdmi() {
    Send([&] { commands_.ResetHdmi(); });
}

// Asked also for the mode in force: choosing it again is how the operator starts the card afresh.
void AdvancedOutputLogic::OnApplicationMode(int mode) {
    if (!OfferedAt(mode)) return;
    if (!host_.AskYesNo(kSystemMessage.In(Language()), kConfirmApplicationMode.In(Language())))
        return;
    const auto chosen = static_cast<std::uint8_t>(mode);
    bool applied = false;
    Send([&] { applied = ApplyApplicationMode(chosen); });
    if (!applied)
        host_.ShowMessage(kSystemMessage.In(Language()), kNotConfirmed.In(Language()));
}

bool AdvancedOutputLogic::ApplyApplicationMode(std::uint8_t mode) {
    if (!AnsweredWithRetry([&] { return commands_.SetApplicationMode(mode) == kFrameSize; }))
        return false;
    Record().configMode = mode;
    Record().displayMode = 0;
    InitialiseOutputProfile(store_, static_cast<std::uint8_t>(card_ + 1), Record(),
                            state_.system.resolution);
    LoadOutputProfiles(store_, state_.outputs);
    commands_.link().clock().SleepMs(kApplyPauseMs);
    return true;
}

}  // namespace hsq
