#include "output/output_resolution_logic.h"

#include "dialog/processor_messages.h"

namespace hsq {
namespace {

constexpr Bilingual kTitle{"分辨率设置", "Resolution settings"};
constexpr Bilingual kSet{"设置", "Set"};
constexpr Bilingual kQuestionCaption{"系统提示 ", "System information"};
constexpr Bilingual kQuestion{
    "确定要改变系统分辨率吗？改变分辨率，所有数据将被初始化 ",
    "You sure want to change the resolution? Change the resolution, all data will be initialized"};

}  // namespace

OutputResolutionLogic::OutputResolutionLogic(MainWindowState& state, ProfileStore& store,
                                             DeviceCommands& commands, DialogHost& host)
    : state_(state),
      store_(store),
      commands_(commands),
      host_(host),
      readback_(state, store, commands),
      chosen_(state.system.outputFormat) {}

std::string_view OutputResolutionLogic::CaptionText(Caption caption) const {
    return (caption == Caption::Title ? kTitle : kSet).In(state_.language);
}

int OutputResolutionLogic::SliderPosition() const {
    for (std::size_t position = 0; position < kChoices.size(); ++position) {
        if (kChoices[position].code == chosen_)
            return static_cast<int>(position);
    }
    return 0;
}

void OutputResolutionLogic::OnSlider(int position) {
    if (position >= 0 && position < static_cast<int>(kChoices.size()))
        chosen_ = kChoices[static_cast<std::size_t>(position)].code;
}

void OutputResolutionLogic::OnSet() {
    const LanguageFlag language = state_.language;
    if (!state_.connected) {
        host_.ShowMessage(kSystemMessage.In(language), kPoorCommunication.In(language));
        return;
    }
    if (chosen_ == state_.system.outputFormat)
        return;
    if (!host_.AskYesNo(kQuestionCaption.In(language), kQuestion.In(language))) {
        chosen_ = state_.system.outputFormat;
        return;
    }
    PlanOutcome outcome;
    host_.RunWorker([&](WorkProgress& progress) { outcome = ChangeResolution(progress); });
    if (outcome.Done()) return;
    chosen_ = state_.system.outputFormat;
    host_.ShowMessage(kSystemMessage.In(language),
                      UnansweredText(language, outcome, kNothingChanged));
}

// Waiting replies are discarded here rather than before the question: draining takes the link,
// which a scheduled recall may hold, and nothing reads the link in between. The processor starts
// every rectangle afresh on the format it confirms, and the files follow it then, and only then.
PlanOutcome OutputResolutionLogic::ChangeResolution(WorkProgress& progress) {
    std::lock_guard hold(lock_);
    commands_.link().DiscardReply();
    const PlanOutcome sent = readback_.SendOutputFormat(chosen_, progress);
    if (!sent.Done()) return sent;
    ProfileBatch batch(store_);  // each file replaced once, when the whole change is done
    state_.system.outputFormat = chosen_;
    store_.WriteInt(ConfigFileKind::SystemInfo, "System", "outformat", chosen_);
    ApplyOutputFormat(state_.system.resolution, chosen_);
    readback_.InitialiseProfiles();
    readback_.LoadAllProfiles();
    return sent;
}

}  // namespace hsq
