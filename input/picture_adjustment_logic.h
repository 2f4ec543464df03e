#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_state.h"
#include "app/status_readback.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/dialog_host.h"

namespace hsq {

inline constexpr int kPictureValueCount = 6;

// What the picture adjustment window shows, as its logic says now; arrays in Value order.
struct PictureAdjustmentView {
    std::array<int, kPictureValueCount> positions{};
    std::array<std::string, kPictureValueCount> texts;
    std::uint8_t direction = 0;  // 1 ">Threshold", 0 "<Threshold"
};

// The picture adjustment dialog (COtherSet) without its window: brightness, colour and contrast
// of one input card's picture and the threshold colour of its text overlay. Each Set or Reset
// sends one group to the card, and the card's record takes the values only once the processor
// has confirmed them; afterwards the group shows what the record holds.
class PictureAdjustmentLogic {
  public:
    // The sliders with their edit boxes, in the window's order.
    enum class Value { Red, Green, Blue, Brightness, Colour, Contrast };
    // What one Set or Reset button sends.
    enum class Group { Keying, Brightness, Colour, Contrast };
    enum class Caption {
        Title, Text, Threshold, Red, Green, Blue, Brightness, Colour, Contrast, Above, Below, Set,
        Reset,
    };

    static constexpr int kKeyingPauseMs = 500;
    static constexpr int kAfterChangePauseMs = 500;

    // card: 0..3 for A..D, -1 when the main window has none selected.
    PictureAdjustmentLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                           DialogHost& host, int card);

    // Reads the card's information behind the waiting box into the profile and the records,
    // then shows the card's record. Without a card the controls stay at 0.
    void Open();

    PictureAdjustmentView View() const;
    std::string_view CaptionText(Caption caption) const;
    static int SliderMaximum(Value value);

    void OnSlider(Value value, int position);
    // A finished edit box: a value beyond its slider's end is refused, and the old one kept.
    void OnText(Value value, const std::string& text);
    // Chosen only: sent with the next keying Set.
    void OnDirection(bool above);
    void OnSet(Group group);
    void OnReset(Group group);

  private:
    using Bytes = std::vector<std::uint8_t>;  // the group's values, in Value order

    InputCardRecord& Record() { return state_.inputs[static_cast<std::size_t>(card_)]; }
    LanguageFlag Language() const { return state_.language; }
    void Tell(const Bilingual& message);
    void TellNothingSent();
    void ShowStored(Group group);
    void Change(Group group, std::uint8_t direction, const Bytes& values);
    bool Apply(Group group, std::uint8_t direction, const Bytes& values);
    bool CardAnswers();
    std::uint8_t Send(Group group, std::uint8_t direction, const Bytes& values);
    void Store(Group group, std::uint8_t direction, const Bytes& values);

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    DialogHost& host_;
    StatusReadback readback_;  // the main window's card presence check
    const int card_;
    std::array<int, kPictureValueCount> values_{};  // what each edit box shows and Set sends
    std::uint8_t direction_ = 0;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
