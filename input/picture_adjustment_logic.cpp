#include "input/picture_adjustment_logic.h"

#include <algorithm>

#include "app/paced_plan.h"
#include "commands/reply_decoders.h"
#include "dialog/number_text.h"
#include "dialog/processor_messages.h"

namespace hsq {
namespace {

using Value = PictureAdjustmentLogic::Value;
using Group = PictureAdjustmentLogic::Group;

// In Caption order.
constexpr std::array<Bilingual, 13> kCaptions{{
    {"图像/字幕", "Image/Text"},
    {"字幕", "Text"},
    {"阈值", "Threshold"},
    {"红", "Red"},
    {"绿", "Green"},
    {"蓝", "Blue"},
    {"亮度", "Brightness"},
    {"颜色", "Color"},
    {"对比度", "Contrast"},
    {">阈值", ">Threshold"},
    {"<阈值", "<Threshold"},
    {"应用", "Set"},
    {"重置", "Reset"},
}};

// One slider with its edit box: the box shows position x step, and takes 0 up to the slider's
// end.
struct Slider {
    int maximum;
    int step;
    std::uint8_t reset;
    std::uint8_t InputCardRecord::*stored;

    int Highest() const { return maximum * step; }
};

// In Value order.
constexpr std::array<Slider, kPictureValueCount> kSliders{{
    {31, 8, 8, &InputCardRecord::red},
    {63, 4, 4, &InputCardRecord::green},
    {31, 8, 8, &InputCardRecord::blue},
    {100, 1, 50, &InputCardRecord::brightness},
    {100, 1, 50, &InputCardRecord::colour},
    {100, 1, 50, &InputCardRecord::contrast},
}};

constexpr std::uint8_t kResetDirection = 0;

std::size_t At(Value value) {
    return static_cast<std::size_t>(value);
}

const Slider& SliderOf(Value value) {
    return kSliders[At(value)];
}

std::vector<Value> ValuesOf(Group group) {
    switch (group) {
        case Group::Keying: return {Value::Red, Value::Green, Value::Blue};
        case Group::Brightness: return {Value::Brightness};
        case Group::Colour: return {Value::Colour};
        case Group::Contrast: return {Value::Contrast};
    }
    return {};
}

}  // namespace

PictureAdjustmentLogic::PictureAdjustmentLogic(MainWindowState& state, ProfileStore& store,
                                               DeviceCommands& commands, DialogHost& host,
                                               int card)
    : state_(state),
      store_(store),
      commands_(commands),
      host_(host),
      readback_(state, store, commands),
      card_(card >= 0 && card < kInputCardCount ? card : -1) {}

// The records hold what the processor confirmed since the profile was last written (a window
// the input card dialog saved): they are written first, so that reloading loses none of it.
void PictureAdjustmentLogic::Open() {
    if (card_ < 0) return;
    const auto index = static_cast<std::uint8_t>(card_);
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        Frame reply{};
        const bool answered = commands_.Query(kQueryInputCardInfo, index, reply) == kFrameSize;
        ProfileBatch batch(store_);
        SaveInputProfile(store_, state_.inputs);
        if (answered) RecordInputCardInfo(store_, reply);
        LoadInputProfile(store_, state_.inputs);
    });
    for (Group group : {Group::Keying, Group::Brightness, Group::Colour, Group::Contrast})
        ShowStored(group);
}

PictureAdjustmentView PictureAdjustmentLogic::View() const {
    PictureAdjustmentView view{{}, {}, direction_};
    for (std::size_t value = 0; value < kSliders.size(); ++value) {
        const Slider& slider = kSliders[value];
        view.positions[value] = std::min(values_[value] / slider.step, slider.maximum);
        view.texts[value] = std::to_string(values_[value]);
    }
    return view;
}

std::string_view PictureAdjustmentLogic::CaptionText(Caption caption) const {
    return kCaptions[static_cast<std::size_t>(caption)].In(Language());
}

int PictureAdjustmentLogic::SliderMaximum(Value value) {
    return SliderOf(value).maximum;
}

void PictureAdjustmentLogic::OnSlider(Value value, int position) {
    const Slider& slider = SliderOf(value);
    values_[At(value)] = std::clamp(position, 0, slider.maximum) * slider.step;
}

void PictureAdjustmentLogic::OnText(Value value, const std::string& text) {
    const auto entered = NumberFromText(text);
    if (!entered || *entered < 0 || *entered > SliderOf(value).Highest())
        return Tell(kValueOutOfRange);
    values_[At(value)] = *entered;
}

void PictureAdjustmentLogic::OnDirection(bool above) {
    direction_ = above ? 1 : 0;
}

void PictureAdjustmentLogic::OnSet(Group group) {
    Bytes values;
    for (Value value : ValuesOf(group))
        values.push_back(static_cast<std::uint8_t>(values_[At(value)]));
    Change(group, direction_, values);
}

void PictureAdjustmentLogic::OnReset(Group group) {
    Bytes values;
    for (Value value : ValuesOf(group)) values.push_back(SliderOf(value).reset);
    Change(group, kResetDirection, values);
}

void PictureAdjustmentLogic::Tell(const Bilingual& message) {
    host_.ShowMessage(kSystemInformation.In(Language()), message.In(Language()));
}

// The card was not there to take the change: in the processor's words, then in ours.
void PictureAdjustmentLogic::TellNothingSent() {
    host_.ShowMessage(kSystemInformation.In(Language()),
                      std::string(kPoorCommunication.In(Language())) + "\n" +
                          std::string(kNotConfirmed.In(Language())));
}

// The keying group's direction too: the next keying Set sends what the record holds.
void PictureAdjustmentLogic::ShowStored(Group group) {
    for (Value value : ValuesOf(group)) values_[At(value)] = Record().*SliderOf(value).stored;
    if (group == Group::Keying) direction_ = Record().thresholdDirection;
}

// The card is asked before and after: a card that stopped answering is told either way. Then
// the group shows what the record holds: the values sent once confirmed, otherwise those the
// processor still has.
void PictureAdjustmentLogic::Change(Group group, std::uint8_t direction, const Bytes& values) {
    if (!state_.connected) return Tell(kNotConnected);
    if (card_ < 0) return Tell(kPoorCommunication);
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        commands_.link().DiscardReply();
        if (!CardAnswers()) return TellNothingSent();
        if (!Apply(group, direction, values)) Tell(kNotConfirmed);
        commands_.link().clock().SleepMs(kAfterChangePauseMs);
        if (!CardAnswers()) Tell(kPoorCommunication);
    });
    ShowStored(group);
}

// Sent once more when unanswered: each group is a setting, so a repeat is harmless.
bool PictureAdjustmentLogic::Apply(Group group, std::uint8_t direction, const Bytes& values) {
    const bool confirmed =
        AnsweredWithRetry([&] { return Send(group, direction, values) == kFrameSize; });
    if (confirmed) Store(group, direction, values);
    if (group == Group::Keying) commands_.link().clock().SleepMs(kKeyingPauseMs);
    return confirmed;
}

bool PictureAdjustmentLogic::CardAnswers() {
    return readback_.CheckInputCard(card_ + 1);
}

std::uint8_t PictureAdjustmentLogic::Send(Group group, std::uint8_t direction,
                                          const Bytes& values) {
    switch (group) {
        case Group::Keying:
            return commands_.SetCaptionKey(direction, values[0], values[1], values[2]);
        case Group::Brightness: return commands_.SetInputBrightness(values[0]);
        case Group::Colour: return commands_.SetInputColour(values[0]);
        case Group::Contrast: return commands_.SetInputContrast(values[0]);
    }
    return 0;
}

// Only confirmed values reach the record; the main window's status synchronisation writes the
// file.
void PictureAdjustmentLogic::Store(Group group, std::uint8_t direction, const Bytes& values) {
    const auto changed = ValuesOf(group);
    for (std::size_t i = 0; i < changed.size(); ++i)
        Record().*SliderOf(changed[i]).stored = values[i];
    if (group == Group::Keying) Record().thresholdDirection = direction;
}

}  // namespace hsq
