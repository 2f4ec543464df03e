#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_window_state.h"
#include "commands/device_commands.h"
#include "dialog/dialog_host.h"

namespace hsq {

// One window of the wall grid as the fast mosaic window shows it.
struct MosaicGridWindow {
    std::string caption;  // "001".."008"
    std::string width;
    std::string height;
    bool selected = false;
};

// What the fast mosaic window shows, as its logic says now.
struct MosaicView {
    int rows = 1;
    int columns = 1;
    int layout = 0;  // the layout button of this grid, -1 for a grid only "Create" makes
    std::vector<MosaicGridWindow> windows;  // row by row
    int card = 0;                            // 0 K, 1 L
    int channel = 1;                         // 1..4
    std::array<std::array<bool, 4>, 2> channelEnabled{};  // [card][channel - 1]
    std::array<std::array<std::string, 4>, 2> fields;     // [input, output][W, H, X, Y]
};

// The fast mosaic dialog (CMosaicSet) without its window: the operator describes a wall of up to
// eight screens, the dialog works out which part of the input picture one screen shows and sends
// that crop and output window to one channel of card K or L.
class MosaicLogic {
  public:
    enum class Group { Input, Output };
    enum class Field { W, H, X, Y };
    enum class Caption {
        Title, LayoutGroup, GridFrame, InputGroup, OutputGroup, FieldW, FieldH, FieldX, FieldY,
        AutoCalculation, Save, Create, WindowWidth, WindowHeight,
    };

    // The layout buttons, rows by columns.
    static constexpr std::array<std::pair<int, int>, 8> kLayouts{
        {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {3, 1}, {4, 1}}};
    static constexpr int kMostWindows = 8;
    static constexpr int kSaveInputPauseMs = 500;

    MosaicLogic(MainWindowState& state, DeviceCommands& commands, DialogHost& host);

    MosaicView View() const;
    std::string_view CaptionText(Caption caption) const;
    std::string ChannelCaption(int channel) const;
    static std::string LayoutCaption(int layout);

    void OnLayout(int rows, int columns);
    // Refused with a message unless the texts make 1 to 8 windows; the old grid stays then.
    void OnCreate(const std::string& rowsText, const std::string& columnsText);
    void OnSelectWindow(int window);
    void OnWindowWidth(int window, const std::string& text);
    void OnWindowHeight(int window, const std::string& text);
    // The selected window's share of the input picture into the crop fields, its own size into
    // the output fields.
    void OnAutoCalculation();
    // A field the operator finished: refused with a message, keeping the value it had, unless
    // it is within the group's limits.
    void OnField(Group group, Field field, const std::string& text);
    void OnSpin(Group group, Field field, bool up);
    void OnChannel(int card, int channel);
    void OnSaveInput() { Save(Group::Input); }
    void OnSaveOutput() { Save(Group::Output); }

  private:
    struct Size {
        int width = 0;
        int height = 0;
    };
    struct GridWindow {
        std::string width;
        std::string height;
    };
    enum class Side { Width, Height };
    using Values = std::array<int, 4>;  // W, H, X, Y

    LanguageFlag Language() const { return state_.language; }
    void Tell(std::string_view message);
    void Tell(const Bilingual& message) { Tell(message.In(Language())); }
    bool BuildGrid(int rows, int columns);
    std::optional<int> SizeOf(int window, Side side);
    std::optional<std::vector<int>> Sizes(Side side, int first, int step, int count);
    int& Value(Group group, Field field);
    const Size& Maxima(Group group) const;
    // The range a field takes: X and Y may reach left of and above the picture as far as the
    // display origin.
    std::pair<int, int> RangeOf(Group group, Field field) const;
    std::array<bool, 4> ChannelsOf(int card) const;
    void Save(Group group);
    void Send(Group group, const WindowRect& rect);

    MainWindowState& state_;
    DeviceCommands& commands_;
    DialogHost& host_;
    const Size resolution_;
    const Size outputMaxima_;
    const Size inputMaxima_;
    int rows_ = 1;
    int columns_ = 1;
    std::vector<GridWindow> windows_;
    int selected_ = 0;
    int card_ = 0;
    int channel_ = 1;
    std::array<Values, 2> values_{};  // input, output
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
