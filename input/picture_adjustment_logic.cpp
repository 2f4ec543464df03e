#include "input/picture_adjustment_logic.h"

#include <algorithm>

#include "commands/reply_decoders.h"
#include "dialog/number_text.h"

namespace hsq {
namespace {

using Value = PictureAdjustmentLogic::Value;
using Group = PictureAdjustmentLogic::Group;

constexpr Bilingual kNotConnected{"请打开连接", "Please Open the connection"};
constexpr Bilingual kPoorCommunication{"通讯不畅，无法发送数据",
                                       "Poor communication, can't send data"};
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

// One slider with its edit box: the box shows position x step, and accepts up to the
// slider's end.
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

void PictureAdjustmentLogic::Open() {
    if (card_ < 0) return;
    const auto index = static_cast<std::uint8_t>(card_);
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        Frame reply{};
        if (commands_.Query(kQueryInputCardInfo, index, reply) == kFrameSize)
            RecordInputCardInfo(store_, reply);
        LoadInputProfile(store_, state_.inputs);
    });
    for (std::size_t value = 0; value < kSliders.size(); ++value)
        ShowStored(static_cast<Value>(value));
    direction_ = Record().thresholdDirection;
}

PictureAdjustmentView PictureAdjustmentLogic::View() const {
    PictureAdjustmentView view{positions_, texts_, direction_, {}};
    for (std::size_t group = 0; group < view.setEnabled.size(); ++group)
        view.setEnabled[group] = SetEnabled(static_cast<Group>(group));
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
    position = std::clamp(position, 0, slider.maximum);
    positions_[At(value)] = position;
    texts_[At(value)] = std::to_string(position * slider.step);
}

void PictureAdjustmentLogic::OnText(Value value, const std::string& text) {
    texts_[At(value)] = text;
}

void PictureAdjustmentLogic::OnDirection(bool above) {
    direction_ = above ? 1 : 0;
}

// A negative number passes (the bounds are upper ones only) and goes out as its low byte.
void PictureAdjustmentLogic::OnSet(Group group) {
    if (!SetEnabled(group)) return;
    Bytes values;
    for (Value value : ValuesOf(group))
        values.push_back(static_cast<std::uint8_t>(*Entered(value)));
    Change(group, direction_, values, false);
}

void PictureAdjustmentLogic::OnReset(Group group) {
    Bytes values;
    for (Value value : ValuesOf(group)) values.push_back(SliderOf(value).reset);
    Change(group, kResetDirection, values, true);
}

void PictureAdjustmentLogic::Tell(const Bilingual& message) {
    host_.ShowMessage(kSystemInformation.In(Language()), message.In(Language()));
}

std::optional<int> PictureAdjustmentLogic::Entered(Value value) const {
    return NumberFromText(texts_[At(value)]);
}

// A negative value would go out as some other byte: it is refused like one too high.
bool PictureAdjustmentLogic::SetEnabled(Group group) const {
    const auto values = ValuesOf(group);
    return std::all_of(values.begin(), values.end(), [this](Value value) {
        const auto entered = Entered(value);
        return entered && *entered >= 0 && *entered <= SliderOf(value).Highest();
    });
}

void PictureAdjustmentLogic::ShowStored(Value value) {
    const Slider& slider = SliderOf(value);
    const int stored = Record().*slider.stored;
    positions_[At(value)] = std::min(stored / slider.step, slider.maximum);
    texts_[At(value)] = std::to_string(stored);
}

// The card is asked before and after: a card that stopped answering is told either way.
void PictureAdjustmentLogic::Change(Group group, std::uint8_t direction, const Bytes& values,
                                    bool reset) {
    if (!state_.connected) return Tell(kNotConnected);
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        commands_.link().DiscardReply();
        if (!CardAnswers()) return Tell(kPoorCommunication);
        Apply(group, direction, values, reset);
        commands_.link().clock().SleepMs(kAfterChangePauseMs);
        if (!CardAnswers()) Tell(kPoorCommunication);
    });
}

// A failed command leaves the record, and what the operator set, as they were.
void PictureAdjustmentLogic::Apply(Group group, std::uint8_t direction, const Bytes& values,
                                   bool reset) {
    if (Send(group, direction, values) == kFrameSize) {
        Store(group, direction, values);
        if (reset) ShowReset(group, direction);
    }
    if (group == Group::Keying) commands_.link().clock().SleepMs(kKeyingPauseMs);
}

// The sliders follow the defaults now stored, as does the direction the next keying Set sends.
void PictureAdjustmentLogic::ShowReset(Group group, std::uint8_t direction) {
    for (Value value : ValuesOf(group)) ShowStored(value);
    if (group == Group::Keying) direction_ = direction;
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
