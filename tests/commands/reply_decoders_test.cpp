#include "commands/reply_decoders.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/numbers.h"

namespace hsq {
namespace {

using testing::Numbers;

Frame Reply(std::initializer_list<std::pair<int, std::uint8_t>> bytes, std::uint8_t head = 0x86) {
    Frame frame{};
    frame[0] = head;
    frame[1] = 0x01;
    frame[2] = 0xFE;
    for (auto [index, value] : bytes)
        frame[index] = value;
    return frame;
}

TEST(StatusDecoderTest, AbsentBitClearsAPresentInputCard) {
    const StatusReport status = DecodeStatus(Reply({{4, 0x3F}, {5, 0x02}, {6, 0x0D}}));
    EXPECT_EQ(status.inputPresent, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(status.outputPresent, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(status.inputAnswers, (std::array<bool, 4>{true, false, true, true}));

    const StatusReport onlyK = DecodeStatus(Reply({{4, 0x10}}));
    EXPECT_EQ(onlyK.inputPresent, (std::array<bool, 4>{}));
    EXPECT_EQ(onlyK.outputPresent, (std::array<bool, 2>{true, false}));
}

TEST(SystemDecoderTest, ReadsFormatModesAndFlagsOnlyFromTheProcessor) {
    const auto r = DecodeSystemReport(Reply({{5, 6}, {6, 1}, {7, 5}, {8, 1}, {10, 0x02}}));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(Numbers(r->outputFormat, r->inAKout1, r->configModeK, r->configModeL,
                      r->configFlag0, r->configFlag1),
              Numbers(6, 1, 5, 1, false, true));

    EXPECT_FALSE(DecodeSystemReport(Reply({{5, 6}}, 0x00)).has_value());
    EXPECT_FALSE(DecodeBankSystem(Reply({{5, 6}}, 0x85)).has_value());
    EXPECT_FALSE(DecodeBankBoardSetup(Reply({}, 0x00)).has_value());
    EXPECT_FALSE(DecodeBankModeSetup(Reply({}, 0x00)).has_value());
    EXPECT_FALSE(DecodeBankChannelWindow(Reply({}, 0x00)).has_value());
}

TEST(TextDecoderTest, AddressAndVersionTexts) {
    EXPECT_EQ(DecodeIpAddress(Reply({{4, 0xC0}, {5, 0xA8}, {6, 0x00}, {7, 0x64}})),
              "192.168.0.100");
    EXPECT_EQ(DecodeIpAddress(Reply({{4, 255}, {5, 255}, {6, 255}, {7, 255}})), "255.255.255.255");
    // The low nibble of the second byte comes before its high nibble.
    EXPECT_EQ(DecodeInputVersions(Reply({{3, 0x01}, {4, 0x23}, {9, 255}, {10, 0xFF}})),
              (std::array<std::string, 4>{"V 1.3.2", "V 0.0.0", "V 0.0.0", "V 255.15.15"}));
    EXPECT_EQ(DecodeOutputVersions(Reply({{3, 2}, {4, 10}, {5, 3}, {6, 0}})),
              (std::array<std::string, 2>{"V 2.10", "V 3.0"}));
}

TEST(InputCardDecoderTest, CardIndexSharesByteFourWithOtherFields) {
    const InputCardInfoReport last = DecodeInputCardInfo(Reply({{4, 0xC0}}));
    EXPECT_EQ(Numbers(last.card, last.thresholdDirection), Numbers(3, 0));

    // Byte 5 0xF9: sub signal 15, main signal 2, mode 1.
    const InputCardInfoReport c = DecodeInputCardInfo(
        Reply({{4, 0x3F}, {5, 0xF9}, {6, 50}, {7, 51}, {8, 52}, {9, 8}, {10, 4}, {11, 9}}));
    EXPECT_EQ(Numbers(c.card, c.thresholdDirection, c.lowBits, c.mainSignal, c.mode, c.subSignal,
                      c.brightness, c.contrast, c.colour, c.red, c.green, c.blue),
              Numbers(0, 1, 0x0F, 2, 1, 15, 50, 51, 52, 8, 4, 9));

    const InputWindowReport window = DecodeInputWindow(
        Reply({{4, 0xA1}, {5, 0x2C}, {6, 0x07}, {7, 0x80}, {8, 1}, {9, 2}, {10, 4}, {11, 0x38}}));
    EXPECT_EQ(window.card, 2);
    // Bit 5 of byte 4 is not part of x.
    EXPECT_EQ(window.rect, (WindowRect{0x012C, 1920, 0x0102, 1080}));
    EXPECT_EQ(DecodeBankInputWindow(Reply({{4, 0xE1}, {5, 0x2C}, {6, 5}, {10, 2}, {11, 0xD0}})),
              (WindowRect{0x212C, 1280, 0, 720}));
}

TEST(ModeReportDecoderTest, RoutesByByteThree) {
    const std::pair<int, ReportRoute> routes[] = {
        {9, ReportRoute::ImageInputWindow}, {10, ReportRoute::ImageOutputWindow},
        {11, ReportRoute::ModeData},        {12, ReportRoute::ClockSource},
        {13, ReportRoute::ImageBorder},     {14, ReportRoute::OutputBrightness},
        {23, ReportRoute::OutputVersions},  {24, ReportRoute::InputVersions},
        {8, ReportRoute::Ignored},          {15, ReportRoute::Ignored},
        {0, ReportRoute::Ignored},          {255, ReportRoute::Ignored},
    };
    for (auto [selector, route] : routes) {
        EXPECT_EQ(RouteReport(Reply({{3, static_cast<std::uint8_t>(selector)}})), route)
            << "byte 3 = " << selector;
    }
}

TEST(ModeReportDecoderTest, UnpacksTheBitFieldsOfEachReport) {
    // Board 1, x 300; channel 2, width 1280; mode 13, y 8; height 720.
    const Frame frame = Reply({{3, 9}, {4, 0x41}, {5, 0x2C}, {6, 0x85}, {8, 0xD0}, {9, 0x08},
                               {10, 0x02}, {11, 0xD0}});
    const ChannelWindowReport window = DecodeChannelWindow(frame);
    EXPECT_EQ(Numbers(window.board, window.channel, window.mode), Numbers(1, 2, 13));
    EXPECT_EQ(window.rect, (WindowRect{300, 1280, 8, 720}));
    EXPECT_EQ(DecodeBankChannelWindow(frame)->rect, window.rect);

    const ModeDataReport m = DecodeModeData(Reply(
        {{3, 11}, {4, 0x01}, {5, 0x75}, {6, 0x0B}, {7, 0x21}, {8, 0x03}, {9, 0x05}, {10, 0x0B}}));
    EXPECT_EQ(Numbers(m.board, m.configMode, m.displayMode, m.overlayIndex, m.switchMode,
                      m.overlayMatrix, m.imageAll, m.imageChannel),
              Numbers(1, 5, 7, 1, 3, true, true, 2));
    EXPECT_EQ(m.ports, (std::array<std::uint8_t, 4>{1, 2, 3, 0}));
    EXPECT_EQ(m.channelOn, (std::array<bool, 4>{true, false, true, false}));

    // Board and channel share byte 4 in the clock, border and brightness reports.
    const Frame board = Reply({{4, 0x0D}, {5, 7}, {6, 2}, {7, 3}, {8, 4}, {9, 5}});
    const ClockSourceReport clock = DecodeClockSource(board);
    EXPECT_EQ(Numbers(clock.board, clock.channel, clock.pllSource, clock.framesyncInport),
              Numbers(1, 3, 7, 2));
    const ImageBorderReport border = DecodeImageBorder(board);
    EXPECT_EQ(Numbers(border.board, border.channel), Numbers(1, 3));
    EXPECT_EQ(border.form, (std::array<std::uint8_t, 5>{7, 2, 3, 4, 5}));
    const OutputBrightnessReport brightness = DecodeOutputBrightness(board);
    EXPECT_EQ(Numbers(brightness.board, brightness.brightness), Numbers(1, 7));
}

TEST(ModeBankDecoderTest, BoardAndModeSetup) {
    const auto board = DecodeBankBoardSetup(Reply({{4, 0x01}, {5, 0x44}, {6, 0x99}, {7, 0x55}}));
    ASSERT_TRUE(board.has_value());
    EXPECT_EQ(Numbers(board->board, board->boardByte, board->clockByte), Numbers(1, 0x44, 0x55));

    const auto setup = DecodeBankModeSetup(
        Reply({{4, 0xF1}, {5, 0x21}, {6, 0xA3}, {7, 1}, {8, 2}, {9, 0}, {10, 0x09}}));
    ASSERT_TRUE(setup.has_value());
    EXPECT_EQ(Numbers(setup->board, setup->mode, setup->byteA, setup->byteB),
              Numbers(1, 15, 0x21, 5));
    EXPECT_EQ(setup->ports, (std::array<std::uint8_t, 4>{0xA3, 1, 2, 0}));
    EXPECT_EQ(setup->channelOn, (std::array<bool, 4>{true, false, false, true}));

    EXPECT_EQ(DecodeBankInputSetup(Reply({{5, 1}, {6, 2}, {7, 3}})),
              (std::array<std::uint8_t, 3>{1, 2, 3}));
}

}  // namespace
}  // namespace hsq
