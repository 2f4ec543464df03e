// The input profile: initialisation, the card reply recorders, load and save.
#include "config/input_profile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::ProfileTestFolder;
using testing::Numbers;
using testing::Reply;

std::string InputValue(const ProfileTestFolder& folder, std::string_view section,
                       std::string_view key) {
    return folder.Value(ConfigFileKind::Input, section, key);
}

// Card information and picture adjustment stay; the rectangles follow the output size.
TEST(InputProfileInitialise, RectanglesFollowTheOutputSizeForAllFourCards) {
    struct Case {
        OutputResolution resolution;
        const char* main;
        const char* pip;
    };
    for (const Case& c : {Case{{0, 1024, 768}, "1024,768,0,0", "340,256,16,16"},
                          Case{{6, 1920, 1080}, "1920,1080,0,0", "640,360,16,16"},
                          Case{{2, 1280, 1024}, "1280,1024,0,0", "426,340,16,16"}}) {
        ProfileTestFolder folder;
        folder.Write("Input.ini",
                     "[InputCardInfo]\r\nInCard2=1,0,15\r\n"
                     "[B_C_C_C_TKRGB_IN]\r\nInCard2=50,50,50,0,1,2,3\r\n"
                     "[InputCardPIPMainData]\r\nInput2MainData=1,1,1,1\r\n");
        ASSERT_TRUE(InitialiseInputProfile(folder.store(), c.resolution));
        for (int card = 1; card <= kInputCardCount; ++card) {
            const std::string n = std::to_string(card);
            EXPECT_EQ(InputValue(folder, "InputCardPIPMainData", "Input" + n + "MainData"), c.main);
            EXPECT_EQ(InputValue(folder, "InputCardPIPPipData", "Input" + n + "PipData"), c.pip);
        }
        EXPECT_EQ(InputValue(folder, "InputCardInfo", "InCard2"), "1,0,15");
        EXPECT_EQ(InputValue(folder, "B_C_C_C_TKRGB_IN", "InCard2"), "50,50,50,0,1,2,3");
    }
}

TEST(InputCardRecorders, RepliesAddressTheCardInTheTopBits) {
    ProfileTestFolder folder;
    // b5 0x9E: main signal 3, mode 2, sub signal 9.
    EXPECT_EQ(RecordInputCardInfo(folder.store(), Reply(8, {0xC0, 0x9E, 10, 20, 30, 40, 50, 60})),
              0);
    EXPECT_EQ(InputValue(folder, "InputCardInfo", "InCard4"), "3,2,9");
    EXPECT_EQ(InputValue(folder, "B_C_C_C_TKRGB_IN", "InCard4"), "10,20,30,0,40,50,60");

    EXPECT_EQ(RecordInputCardInfo(folder.store(), Reply(8, {0x3F, 0xF0, 1, 2, 3, 4, 5, 6})), 0x0F);
    EXPECT_EQ(InputValue(folder, "InputCardInfo", "InCard1"), "0,0,15");
    EXPECT_EQ(InputValue(folder, "B_C_C_C_TKRGB_IN", "InCard1"), "1,2,3,1,4,5,6");
    EXPECT_EQ(InputValue(folder, "InputCardInfo", "InCard2"), "");

    // Windows are stored as width, height, x, y. Card C; bit 5 of byte 4 is not part of x.
    EXPECT_TRUE(RecordInputMainWindow(folder.store(),
                                      Reply(6, {0xA3, 0x10, 0x07, 0x80, 0x01, 0x02, 0x04, 0x38})));
    EXPECT_EQ(InputValue(folder, "InputCardPIPMainData", "Input3MainData"), "1920,1080,784,258");
    EXPECT_TRUE(
        RecordInputPipWindow(folder.store(), Reply(7, {0x00, 16, 0x02, 0x80, 0, 16, 0x01, 0x68})));
    EXPECT_EQ(InputValue(folder, "InputCardPIPPipData", "Input1PipData"), "640,360,16,16");
    EXPECT_EQ(InputValue(folder, "InputCardPIPMainData", "Input1MainData"), "");
}

std::vector<int> Fields(const InputCardRecord& r) {
    return Numbers(r.mainSignal, r.mode, r.subSignal, r.brightness, r.contrast, r.colour,
                   r.thresholdDirection, r.red, r.green, r.blue);
}

TEST(InputProfileLoad, ReadsTheFieldsItNeedsAndZeroForWhatIsMissing) {
    ProfileTestFolder folder;
    folder.Write("Input.ini",
                 "[InputCardInfo]\r\nInCard1=2,1,15\r\nInCard3=1\r\n"
                 "[B_C_C_C_TKRGB_IN]\r\nInCard1=60,70,80,1,90,100,110,120\r\nInCard3=5,6\r\n"
                 "[InputCardPIPMainData]\r\nInput1MainData=1920,1080,8,4\r\n"
                 "[InputCardPIPPipData]\r\nInput1PipData=640,360,16,16\r\n");
    InputCardRecords records{};
    records[3].brightness = 99;
    LoadInputProfile(folder.store(), records);
    // The eighth adjustment field is ignored; a card without keys loads as zero.
    EXPECT_EQ(Fields(records[0]), Numbers(2, 1, 15, 60, 70, 80, 1, 90, 100, 110));
    EXPECT_EQ(records[0].mainRect, (WindowRect{8, 1920, 4, 1080}));
    EXPECT_EQ(records[0].pipRect, (WindowRect{16, 640, 16, 360}));
    EXPECT_EQ(Fields(records[2]), Numbers(1, 0, 0, 5, 6, 0, 0, 0, 0, 0));
    EXPECT_EQ(Fields(records[3]), Fields(InputCardRecord{}));
}

TEST(InputProfileLoad, SaveThenLoadGivesEveryCardBack) {
    ProfileTestFolder folder;
    InputCardRecords saved{};
    for (int i = 0; i < kInputCardCount; ++i) {
        const auto n = static_cast<std::uint8_t>(i);
        const auto base = static_cast<std::uint8_t>(10 * (i + 1));
        saved[i] = {n, 1, 15, base, static_cast<std::uint8_t>(base + 1),
                    static_cast<std::uint8_t>(base + 2), static_cast<std::uint8_t>(i % 2), 200,
                    201, 202, WindowRect{n, 1920, 2, 1080},
                    WindowRect{16, static_cast<std::uint16_t>(600 + i), 16, 300}};
    }
    // Records that were never loaded would put their values over the operator's file.
    EXPECT_FALSE(SaveInputProfile(folder.store(), saved));
    EXPECT_FALSE(folder.Exists("Input.ini"));
    for (InputCardRecord& r : saved) r.loaded = true;
    ASSERT_TRUE(SaveInputProfile(folder.store(), saved));
    EXPECT_EQ(InputValue(folder, "B_C_C_C_TKRGB_IN", "InCard4"), "40,41,42,1,200,201,202");
    EXPECT_EQ(InputValue(folder, "InputCardPIPPipData", "Input3PipData"), "602,300,16,16");

    InputCardRecords loaded{};
    LoadInputProfile(folder.store(), loaded);
    for (int i = 0; i < kInputCardCount; ++i) {
        EXPECT_EQ(Fields(loaded[i]), Fields(saved[i])) << i;
        EXPECT_EQ(loaded[i].mainRect, saved[i].mainRect) << i;
        EXPECT_EQ(loaded[i].pipRect, saved[i].pipRect) << i;
    }
}

}  // namespace
}  // namespace hsq
