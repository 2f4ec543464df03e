#include "commands/reply_decoders.h"

#include <gtest/gtest.h>

namespace hsq {
namespace {

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
    const auto report = DecodeSystemReport(Reply({{5, 6}, {6, 1}, {7, 5}, {8, 1}, {10, 0x02}}));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->outputFormat, 6);
    EXPECT_EQ(report->inAKout1, 1);
    EXPECT_EQ(report->configModeK, 5);
    EXPECT_EQ(report->configModeL, 1);
    EXPECT_FALSE(report->configFlag0);
    EXPECT_TRUE(report->configFlag1);

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
    const auto inputs = DecodeInputVersions(Reply({{3, 0x01}, {4, 0x23}, {9, 255}, {10, 0xFF}}));
    EXPECT_EQ(inputs[0], "V 1.3.2");
    EXPECT_EQ(inputs[1], "V 0.0.0");
    EXPECT_EQ(inputs[3], "V 255.15.15");

    const auto outputs = DecodeOutputVersions(Reply({{3, 2}, {4, 10}, {5, 3}, {6, 0}}));
    EXPECT_EQ(outputs[0], "V 2.10");
    EXPECT_EQ(outputs[1], "V 3.0");
}

TEST(InputCardDecoderTest, CardIndexSharesByteFourWithOtherFields) {
    const InputCardInfoReport last = DecodeInputCardInfo(Reply({{4, 0xC0}}));
    EXPECT_EQ(last.card, 3);
    EXPECT_EQ(last.thresholdDirection, 0);

    const InputCardInfoReport first = DecodeInputCardInfo(
        Reply({{4, 0x3F}, {5, 0xF9}, {6, 50}, {7, 51}, {8, 52}, {9, 8}, {10, 4}, {11, 9}}));
    EXPECT_EQ(first.card, 0);
    EXPECT_EQ(first.thresholdDirection, 1);
    EXPECT_EQ(first.lowBits, 0x0F);
    EXPECT_EQ(first.mainSignal, 2);  // 0xF9 >> 2 & 3
    EXPECT_EQ(first.mode, 1);        // 0xF9 & 3
    EXPECT_EQ(first.subSignal, 15);  // 0xF9 >> 4
    EXPECT_EQ(first.brightness, 50);
    EXPECT_EQ(first.contrast, 51);
    EXPECT_EQ(first.colour, 52);
    EXPECT_EQ(first.red, 8);
    EXPECT_EQ(first.green, 4);
    EXPECT_EQ(first.blue, 9);

    const InputWindowReport window = DecodeInputWindow(Reply({{4, 0x80 | 0x20 | 0x01},
                                                              {5, 0x2C},
                                                              {6, 0x07},
                                                              {7, 0x80},
                                                              {8, 0x01},
                                                              {9, 0x02},
                                                              {10, 0x04},
                                                              {11, 0x38}}));
    EXPECT_EQ(window.card, 2);
    // Bit 5 of byte 4 is not part of x.
    EXPECT_EQ(window.rect, (WindowRect{0x012C, 1920, 0x0102, 1080}));

    const WindowRect bank =
        DecodeBankInputWindow(Reply({{4, 0xE1}, {5, 0x2C}, {6, 5}, {7, 0}, {10, 2}, {11, 0xD0}}));
    EXPECT_EQ(bank, (WindowRect{0x212C, 1280, 0, 720}));
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

TEST(ModeReportDecoderTest, ChannelWindowUnpacksItsAddressFromTheHighBits) {
    // board 1, x 300; channel 2, width 1280; mode 13, y 8; height 720
    const Frame frame = Reply({{3, 9},
                               {4, 0x40 | 0x01},
                               {5, 0x2C},
                               {6, 0x80 | 0x05},
                               {7, 0x00},
                               {8, 0xD0},
                               {9, 0x08},
                               {10, 0x02},
                               {11, 0xD0}});
    const ChannelWindowReport window = DecodeChannelWindow(frame);
    EXPECT_EQ(window.board, 1);
    EXPECT_EQ(window.channel, 2);
    EXPECT_EQ(window.mode, 13);
    EXPECT_EQ(window.rect, (WindowRect{300, 1280, 8, 720}));
    EXPECT_EQ(DecodeBankChannelWindow(frame)->rect, window.rect);
}

TEST(ModeReportDecoderTest, ModeDataSplitsItsBitFields) {
    const ModeDataReport mode = DecodeModeData(Reply(
        {{3, 11}, {4, 0x01}, {5, 0x75}, {6, 0x0B}, {7, 0x21}, {8, 0x03}, {9, 0x05}, {10, 0x0B}}));
    EXPECT_EQ(mode.board, 1);
    EXPECT_EQ(mode.configMode, 5);
    EXPECT_EQ(mode.displayMode, 7);
    EXPECT_EQ(mode.overlayIndex, 1);
    EXPECT_EQ(mode.switchMode, 3);
    EXPECT_EQ(mode.ports, (std::array<std::uint8_t, 4>{1, 2, 3, 0}));
    EXPECT_EQ(mode.channelOn, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_TRUE(mode.overlayMatrix);
    EXPECT_TRUE(mode.imageAll);
    EXPECT_EQ(mode.imageChannel, 2);
}

TEST(ModeReportDecoderTest, BoardReportsCarryBoardAndChannelInByteFour) {
    const Frame frame = Reply({{4, 0x0D}, {5, 7}, {6, 2}, {7, 3}, {8, 4}, {9, 5}});
    const ClockSourceReport clock = DecodeClockSource(frame);
    EXPECT_EQ(clock.board, 1);
    EXPECT_EQ(clock.channel, 3);
    EXPECT_EQ(clock.pllSource, 7);
    EXPECT_EQ(clock.framesyncInport, 2);

    const ImageBorderReport border = DecodeImageBorder(frame);
    EXPECT_EQ(border.board, 1);
    EXPECT_EQ(border.channel, 3);
    EXPECT_EQ(border.form, (std::array<std::uint8_t, 5>{7, 2, 3, 4, 5}));

    const OutputBrightnessReport brightness = DecodeOutputBrightness(frame);
    EXPECT_EQ(brightness.board, 1);
    EXPECT_EQ(brightness.brightness, 7);
}

TEST(ModeBankDecoderTest, BoardAndModeSetup) {
    const auto board = DecodeBankBoardSetup(Reply({{4, 0x01}, {5, 0x44}, {6, 0x99}, {7, 0x55}}));
    ASSERT_TRUE(board.has_value());
    EXPECT_EQ(board->board, 1);
    EXPECT_EQ(board->boardByte, 0x44);
    EXPECT_EQ(board->clockByte, 0x55);

    const auto setup = DecodeBankModeSetup(
        Reply({{4, 0xF1}, {5, 0x21}, {6, 0xA3}, {7, 1}, {8, 2}, {9, 0}, {10, 0x09}}));
    ASSERT_TRUE(setup.has_value());
    EXPECT_EQ(setup->board, 1);
    EXPECT_EQ(setup->mode, 15);
    EXPECT_EQ(setup->byteA, 0x21);
    EXPECT_EQ(setup->byteB, 5);
    EXPECT_EQ(setup->ports, (std::array<std::uint8_t, 4>{0xA3, 1, 2, 0}));
    EXPECT_EQ(setup->channelOn, (std::array<bool, 4>{true, false, false, true}));

    EXPECT_EQ(DecodeBankInputSetup(Reply({{5, 1}, {6, 2}, {7, 3}})),
              (std::array<std::uint8_t, 3>{1, 2, 3}));
}

}  // namespace
}  // namespace hsq
