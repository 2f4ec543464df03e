// The display modes' layouts read from a card's profile, drawn into a recording painter, and
// following what writes the profile.
#include "output/mode_preview.h"

#include "app/readback_fixture.h"
#include "canvas/recording_painter.h"
#include "modes/mode_file.h"
#include "modes/mode_get_logic.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

using Lines = std::vector<std::string>;

// At a tenth of 1920 x 1080, 20 pixels in from the painter's corner.
constexpr Rect kArea{20, 20, 212, 128};

// Each call as one line: what, where, and how (a fill's colour left out).
Lines Drawn(const RecordingPainter& painter) {
    const auto at = [](const Rect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    };
    Lines lines;
    for (const PaintCall& call : painter.calls) {
        if (const auto* fill = std::get_if<FillCall>(&call))
            lines.push_back("fill " + at(fill->rect));
        if (const auto* line = std::get_if<OutlineCall>(&call))
            lines.push_back((line->pen.style == PenStyle::Dotted ? "dotted " : "outline ") +
                            at(line->rect));
        if (const auto* text = std::get_if<TextCall>(&call)) lines.push_back("text " + text->text);
    }
    return lines;
}

class ModePreviewTest : public testing::ReadbackFixture {
  protected:
    ModePreviewTest() {
        state.system.resolution = {6, 1920, 1080};
        state.presence = {{true, true, true, true}, {true, true}};
        state.connected = true;
        LoadOutputProfiles(store, state.outputs);
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) {
        store.WriteValue(ConfigFileKind::Output, section, key, value, 1);
    }

    testing::ScriptedHost host;
};

// Layer order 13 puts CH4 at the bottom and CH2 on top; CH2 is off.
TEST_F(ModePreviewTest, AModeIsDrawnWhereItsProfilePutsItsWindowsInLayerOrder) {
    Write("BOARD", "Config_Mode", "5");
    Write("MODENAME", "Mode3", "Hall");
    Write("Mode3", "Overlay_Mode", "13");
    Write("Mode3", "aOverlay", "4,1,3,2");
    Write("Mode3", "OutCH_YN", "1,0,1,1");
    Write("Mode3", "OutCH1_OutputMap_Size", "960,540,32,8");
    Write("Mode3", "OutCH2_OutputMap_Size", "960,540,992,8");
    Write("Mode3", "OutCH3_OutputMap_Size", "1920,540,32,548");
    Write("Mode3", "OutCH4_OutputMap_Size", "640,360,672,368");
    const CardModeLayouts layouts = ReadModeLayouts(store, 0, state.system.resolution);
    EXPECT_EQ(layouts.modes[3].caption, "M4---Hall");
    RecordingPainter painter;
    DrawModePreview(painter, kArea, layouts, 3);
    EXPECT_EQ(Drawn(painter), (Lines{"fill 20,20,212,128", "outline 20,20,212,128",
                                     "fill 84,56,148,92", "outline 84,56,148,92", "text 4",
                                     "fill 20,20,116,74", "outline 20,20,116,74", "text 1",
                                     "fill 20,74,212,128", "outline 20,74,212,128", "text 3",
                                     "dotted 116,20,212,74", "text 2"}));
}

// Damaged values are drawn within the output picture, each channel at most once. Each case has
// a mode of its own, its order first set to one no overlay mode names.
TEST_F(ModePreviewTest, DamagedValuesAreDrawnSafely) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> keys;
        Lines drawn;  // the channels' numbers, in drawing order
    };
    const std::vector<Case> cases{
        {{{"aOverlay", "4,4,1,9"}}, {"1", "2", "3", "4"}},
        {{{"aOverlay", "3,2"}}, {"1", "2", "3", "4"}},
        {{{"aOverlay", "2,1,4,3"}, {"Overlay_Mode", "300"}}, {"2", "1", "4", "3"}},
        {{{"OutCH2_OutputMap_Size", "65535,65535,65535,65535"}}, {"1", "3", "4"}},
        {{{"OutCH2_OutputMap_Size", "-7,99999999,x,"}}, {"1", "2", "3", "4"}},
        {{{"OutCH3_OutputMap_Size", "0,0,40000,40000"}}, {"1", "2", "4"}},
    };
    Write("BOARD", "Config_Mode", "5");
    for (std::size_t mode = 0; mode < cases.size(); ++mode) {
        const std::string section = "Mode" + std::to_string(mode);
        Write(section, "Overlay_Mode", "99");
        Write(section, "aOverlay", "1,2,3,4");
        for (const auto& [key, value] : cases[mode].keys) Write(section, key, value);
    }
    const CardModeLayouts layouts = ReadModeLayouts(store, 0, state.system.resolution);
    for (std::size_t mode = 0; mode < cases.size(); ++mode) {
        RecordingPainter painter;
        DrawModePreview(painter, kArea, layouts, static_cast<int>(mode));
        EXPECT_EQ(painter.Texts(), cases[mode].drawn) << cases[mode].keys.front().second;
        for (const FillCall& fill : painter.Of<FillCall>()) EXPECT_TRUE(fill.rect.Inside(kArea));
        for (const OutlineCall& line : painter.Of<OutlineCall>())
            EXPECT_TRUE(line.rect.Inside(kArea));
        for (const TextCall& text : painter.Of<TextCall>()) EXPECT_TRUE(text.clip.Inside(kArea));
    }
    // No output size, no such mode, no room: nothing drawn.
    RecordingPainter painter;
    DrawModePreview(painter, kArea, ReadModeLayouts(store, 0, {}), 0);
    DrawModePreview(painter, kArea, layouts, 16);
    DrawModePreview(painter, {5, 5, 5, 5}, layouts, 0);
    EXPECT_TRUE(painter.calls.empty());
}

// The profile takes an import the processor confirmed whole, and the previews show it; a failed
// one leaves both as they were.
TEST_F(ModePreviewTest, TheDisplayModeDialogFollowsAnImport) {
    const ModeBank bank = testing::SampleBank();
    ASSERT_TRUE(WriteModeFile(folder / "mode.ini", bank));
    testing::FrameTap tap{sim.transport};
    sim.link.AttachTransport(&tap);
    state.selectedOutput = 1;
    const auto importing = [&] {
        host.AnswerFile((folder / "mode.ini").string());
        ModeGetLogic logic(state, store, sim.commands, host);
        const CardModeLayouts before = logic.Previews();
        logic.OnImport();
        return std::pair{before, logic.Previews()};
    };
    tap.silence = [](const Frame& f) { return f[2] == 0xB0; };
    const auto files = Files();
    const auto [before, afterFailure] = importing();
    EXPECT_EQ(afterFailure, before);
    EXPECT_EQ(Files(), files);

    tap.silence = nullptr;
    const CardModeLayouts imported = importing().second;
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        for (int channel = 0; channel < kOutputChannelCount; ++channel) {
            const BankChannel& sent = bank.modes[mode][1].channels[channel];
            EXPECT_EQ(imported.modes[mode].channels[channel],
                      (ChannelLayout{channel + 1, sent.output.x - 32, sent.output.y - 8,
                                     sent.output.width, sent.output.height, sent.on}));
        }
    }
    EXPECT_EQ(imported, ReadModeLayouts(store, 1, state.system.resolution));
    EXPECT_EQ(Read(ConfigFileKind::Output, "Mode2", "OutCH2_Jiequ_InputMap_Size", 2),
              "1042,540,82,8");
}

}  // namespace
}  // namespace hsq
