#include "output/mosaic_logic.h"

#include <cstdio>
#include <numeric>

#include "app/paced_plan.h"
#include "commands/reply_decoders.h"
#include "dialog/number_text.h"
#include "dialog/processor_messages.h"
#include "output/layer_order.h"
#include "output/output_space.h"

namespace hsq {
namespace {

constexpr Bilingual kTooWide{"宽度和水平起始的值超过最大宽度",
                             "Width and horizontal start value exceeds the max width"};
constexpr Bilingual kTooHigh{"高度和垂直起始的值超过最大高度",
                             "Height and vertical start the value of the exceeds the max height"};
constexpr Bilingual kZeroSize{"对不起，宽高值不能为0", " width and height values ??can't be  0"};
constexpr Bilingual kRowIncomplete{
    "对不起，请将纵向数据填写完整,否则无法进行拼接计算",
    "Please fill out the complete horizontal data, or can not be calculated"};
constexpr Bilingual kMosaicValueOutOfRange{"对不起，值越界", "Value out of range"};
constexpr Bilingual kColumnIncomplete{
    "对不起，请将横向数据填写完整,否则无法进行拼接计算",
    "Please fill out the complete vertical data, or can not be calculated"};
constexpr Bilingual kWindowCountOutOfRange{"窗口数量不在范围内(1 ~ 8)",
                                           "Window number out of range(1 ~ 8)"};
constexpr Bilingual kOtherCardStaysSelected{
    "窗口已保存，但处理器仍选着另一块输出板卡。",
    "The window was saved, but the processor still has the other output card selected."};

// A card in this configuration mode shows Out1 and Out3 only.
constexpr std::uint8_t kOddChannelsConfigMode = 3;

// Signed 16-bit: "99999" is no number here.
std::optional<int> Signed16(const std::string& text) {
    return NumberFromText<std::int16_t>(text);
}

int SumOfFirst(const std::vector<int>& values, int count) {
    return std::accumulate(values.begin(), values.begin() + count, 0);
}

// part / total of whole, cut toward zero.
int Share(int part, int total, int whole) {
    return static_cast<int>(static_cast<double>(part) / total * whole);
}

}  // namespace

MosaicLogic::MosaicLogic(MainWindowState& state, DeviceCommands& commands, DialogHost& host)
    : state_(state), commands_(commands), host_(host),
      resolution_{state.system.resolution.width, state.system.resolution.height},
      outputMaxima_{resolution_.width + 64, resolution_.height + 32},
      inputMaxima_{resolution_.width + 32, resolution_.height + 8} {
    BuildGrid(1, 1);
}

void MosaicLogic::Tell(std::string_view message) {
    host_.ShowMessage(kSystemInformation.In(Language()), message);
}

// --- The grid ----------------------------------------------------------------------------

// Every window starts at the output size; a selection the new grid lacks goes to the first.
bool MosaicLogic::BuildGrid(int rows, int columns) {
    if (rows < 1 || columns < 1 || columns > kMostWindows / rows) return false;
    rows_ = rows;
    columns_ = columns;
    windows_.assign(static_cast<std::size_t>(rows * columns),
                    {std::to_string(resolution_.width), std::to_string(resolution_.height)});
    if (selected_ >= rows * columns) selected_ = 0;
    return true;
}

void MosaicLogic::OnLayout(int rows, int columns) {
    BuildGrid(rows, columns);
}

void MosaicLogic::OnCreate(const std::string& rowsText, const std::string& columnsText) {
    const auto rows = Signed16(rowsText);
    const auto columns = Signed16(columnsText);
    if (!rows || !columns || !BuildGrid(*rows, *columns)) Tell(kWindowCountOutOfRange);
}

void MosaicLogic::OnSelectWindow(int window) {
    if (window >= 0 && window < static_cast<int>(windows_.size())) selected_ = window;
}

void MosaicLogic::OnWindowWidth(int window, const std::string& text) {
    if (window >= 0 && window < static_cast<int>(windows_.size())) windows_[window].width = text;
}

void MosaicLogic::OnWindowHeight(int window, const std::string& text) {
    if (window >= 0 && window < static_cast<int>(windows_.size())) windows_[window].height = text;
}

// --- Auto Calculation --------------------------------------------------------------------

// A field the calculation cannot take says why and gets the output size back.
std::optional<int> MosaicLogic::SizeOf(int window, Side side) {
    const bool across = side == Side::Width;
    std::string& text = across ? windows_[window].width : windows_[window].height;
    const auto value = Signed16(text);
    if (value && *value >= 0 && *value <= (across ? outputMaxima_.width : outputMaxima_.height))
        return value;
    if (!text.empty())
        Tell(kMosaicValueOutOfRange);
    else
        Tell(across ? kRowIncomplete : kColumnIncomplete);
    text = std::to_string(across ? resolution_.width : resolution_.height);
    return std::nullopt;
}

// The sizes of count windows, step apart from first; nothing once a field is refused.
std::optional<std::vector<int>> MosaicLogic::Sizes(Side side, int first, int step, int count) {
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        const auto size = SizeOf(first + i * step, side);
        if (!size) return std::nullopt;
        sizes.push_back(*size);
    }
    return sizes;
}

// The row's widths share the picture's width, the first column's heights its height.
void MosaicLogic::OnAutoCalculation() {
    const int row = selected_ / columns_;
    const int column = selected_ % columns_;
    const auto widths = Sizes(Side::Width, row * columns_, 1, columns_);
    if (!widths) return;
    const auto heights = Sizes(Side::Height, 0, columns_, rows_);
    if (!heights) return;
    // Outside the first column the window's own height is not among those just read.
    const auto height = SizeOf(selected_, Side::Height);
    if (!height) return;
    const int totalWidth = SumOfFirst(*widths, columns_);
    const int totalHeight = SumOfFirst(*heights, rows_);
    if (totalWidth == 0 || totalHeight == 0) return Tell(kMosaicValueOutOfRange);
    const int width = (*widths)[column];
    values_[static_cast<int>(Group::Input)] = {
        Share(width, totalWidth, resolution_.width),
        Share(*height, totalHeight, resolution_.height),
        Share(SumOfFirst(*widths, column), totalWidth, resolution_.width),
        Share(SumOfFirst(*heights, row), totalHeight, resolution_.height)};
    values_[static_cast<int>(Group::Output)] = {width, *height, 0, 0};
}

// --- The crop and output fields ----------------------------------------------------------

int& MosaicLogic::Value(Group group, Field field) {
    return values_[static_cast<int>(group)][static_cast<int>(field)];
}

const MosaicLogic::Size& MosaicLogic::Maxima(Group group) const {
    return group == Group::Input ? inputMaxima_ : outputMaxima_;
}

std::pair<int, int> MosaicLogic::RangeOf(Group group, Field field) const {
    const Size& most = Maxima(group);
    switch (field) {
        case Field::W: return {0, most.width};
        case Field::H: return {0, most.height};
        case Field::X: return {-OutputSpace::kOriginX, most.width};
        case Field::Y: return {-OutputSpace::kOriginY, most.height};
    }
    return {};
}

void MosaicLogic::OnField(Group group, Field field, const std::string& text) {
    const auto value = Signed16(text);
    const auto [lowest, highest] = RangeOf(group, field);
    if (!value || *value < lowest || *value > highest) return Tell(kMosaicValueOutOfRange);
    Value(group, field) = *value;
}

// Up keeps size plus start within the group's limit; down stops at 0, or at the origin for a
// start.
void MosaicLogic::OnSpin(Group group, Field field, bool up) {
    const Values& values = values_[static_cast<int>(group)];
    const bool across = field == Field::W || field == Field::X;
    if (up) {
        const int size = values[static_cast<int>(across ? Field::W : Field::H)];
        const int start = values[static_cast<int>(across ? Field::X : Field::Y)];
        if (size + start + 1 > (across ? Maxima(group).width : Maxima(group).height)) return;
    } else if (Value(group, field) - 1 < RangeOf(group, field).first) {
        return;
    }
    Value(group, field) += up ? 1 : -1;
}

// --- The target channel ------------------------------------------------------------------

std::array<bool, 4> MosaicLogic::ChannelsOf(int card) const {
    if (!state_.presence.output[card]) return {};
    switch (state_.outputs[card].configMode) {
        case kOddChannelsConfigMode: return {true, false, true, false};
        case kOverlayConfigMode: return {true, false, false, false};
        default: return {true, true, true, true};
    }
}

void MosaicLogic::OnChannel(int card, int channel) {
    if (card < 0 || card >= kOutputCardCount || channel < 1 || channel > kOutputChannelCount)
        return;
    if (!ChannelsOf(card)[channel - 1]) return;
    card_ = card;
    channel_ = channel;
}

// --- Saving ------------------------------------------------------------------------------

void MosaicLogic::Save(Group group) {
    const auto [w, h, x, y] = values_[static_cast<int>(group)];
    if (w == 0 || h == 0) return Tell(kZeroSize);
    if (w + x > Maxima(group).width) return Tell(kTooWide);
    if (h + y > Maxima(group).height) return Tell(kTooHigh);
    if (!state_.connected) return Tell(kNotConnected);
    // The fields' ranges keep every value within 0..65535.
    const auto word = [](int value) { return static_cast<std::uint16_t>(value); };
    Send(group, {word(x + OutputSpace::kOriginX), word(w), word(y + OutputSpace::kOriginY),
                 word(h)});
}

// The window commands act on the board selected last, the one whose window the mosaic was
// opened from. Another card is selected for its own windows and the first given back after, so
// that a window never lands on one card while the other card's record takes it. The record
// takes the window once the processor confirmed it. Another card's record may be older than its
// mode in force (a timer or another program recalled one since it was read), so that card is
// asked first, and its record takes the window only when the processor put it into the mode the
// record holds.
void MosaicLogic::Send(Group group, const WindowRect& rect) {
    const auto card = static_cast<std::uint8_t>(card_);
    const auto image = static_cast<std::uint8_t>(channel_ - 1);
    const std::uint8_t selected = state_.selectedOutput;
    const std::uint8_t selectedImage = state_.outputs[selected].imageChannel;
    const bool otherCard = card != selected;
    const bool input = group == Group::Input;
    OutputBoardRecord& record = state_.outputs[card];
    int modeInForce = record.displayMode;
    PacedPlan plan;
    if (otherCard) {
        plan.push_back({[&] {
            Frame reply{};
            const auto asked = static_cast<std::uint8_t>(record.displayMode * 16 + card);
            if (commands_.Query(kQueryModeData, asked, reply) != kFrameSize) return false;
            modeInForce = DecodeModeData(reply).displayMode;
            return true;
        }});
        plan.push_back({[&] { return commands_.SelectOutputBoard(card, image) == kFrameSize; }});
    }
    plan.push_back({[&] {
                        return (input ? commands_.SetImageInputWindow(image, rect)
                                      : commands_.SetImageOutputWindow(image, rect)) == kFrameSize;
                    },
                    input ? kSaveInputPauseMs : 0});
    if (otherCard) {
        plan.push_back(
            {[&] { return commands_.SelectOutputBoard(selected, selectedImage) == kFrameSize; }});
    }
    PlanOutcome outcome;
    host_.RunWorker([&](WorkProgress& progress) {
        std::lock_guard hold(lock_);
        commands_.link().DiscardReply();
        outcome = RunPlan(plan, commands_.link(), progress);
    });
    const bool saved = outcome.answered > (otherCard ? 2 : 0);
    if (saved && modeInForce == record.displayMode)
        (input ? record.cropRect : record.outputRect)[image] = rect;
    if (outcome.Done()) return;
    if (!otherCard) return Tell(kNotConfirmed);
    Tell(UnansweredText(Language(), outcome, saved ? kOtherCardStaysSelected : kNothingChanged));
}

// --- What the window shows ---------------------------------------------------------------

MosaicView MosaicLogic::View() const {
    MosaicView view;
    view.rows = rows_;
    view.columns = columns_;
    view.layout = -1;
    for (std::size_t layout = 0; layout < kLayouts.size(); ++layout) {
        if (kLayouts[layout] == std::pair{rows_, columns_}) view.layout = static_cast<int>(layout);
    }
    for (std::size_t k = 0; k < windows_.size(); ++k) {
        char caption[8];
        std::snprintf(caption, sizeof caption, "%03d", static_cast<int>(k + 1));
        view.windows.push_back(
            {caption, windows_[k].width, windows_[k].height, static_cast<int>(k) == selected_});
    }
    view.card = card_;
    view.channel = channel_;
    for (int card = 0; card < kOutputCardCount; ++card)
        view.channelEnabled[card] = ChannelsOf(card);
    for (int group = 0; group < 2; ++group) {
        for (int i = 0; i < 4; ++i) view.fields[group][i] = std::to_string(values_[group][i]);
    }
    return view;
}

std::string_view MosaicLogic::CaptionText(Caption caption) const {
    const LanguageFlag l = Language();
    switch (caption) {
        case Caption::Title: return Bilingual{"快速拼接", "Fast mosaic"}.In(l);
        case Caption::LayoutGroup: return Bilingual{"规格 <= 8", "Format <= 8"}.In(l);
        case Caption::GridFrame: return Bilingual{"窗口", "Windows"}.In(l);
        case Caption::InputGroup: return Bilingual{"输入画面大小", "Input image size"}.In(l);
        case Caption::OutputGroup: return Bilingual{"输出画面大小", "Output image size"}.In(l);
        case Caption::FieldW: return Bilingual{"宽", "W"}.In(l);
        case Caption::FieldH: return Bilingual{"高", "H"}.In(l);
        case Caption::FieldX: return Bilingual{"水平起始", "X"}.In(l);
        case Caption::FieldY: return Bilingual{"垂直起始", "Y"}.In(l);
        case Caption::AutoCalculation: return Bilingual{"自动\n计算", "Auto\nCalculation"}.In(l);
        case Caption::Save: return Bilingual{"保存", "Save"}.In(l);
        case Caption::Create: return Bilingual{"创建", "Create"}.In(l);
        case Caption::WindowWidth: return Bilingual{"宽", "Width"}.In(l);
        case Caption::WindowHeight: return Bilingual{"高", "Height"}.In(l);
    }
    return {};
}

std::string MosaicLogic::ChannelCaption(int channel) const {
    return std::string(Bilingual{"输出", "Out"}.In(Language())) + std::to_string(channel);
}

std::string MosaicLogic::LayoutCaption(int layout) {
    const auto [rows, columns] = kLayouts[layout];
    return std::to_string(rows) + "*" + std::to_string(columns);
}

}  // namespace hsq
