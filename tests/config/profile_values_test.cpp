// Reading and writing the numbers, lists and rectangles of the profiles.
#include "config/profile_values.h"

#include <gtest/gtest.h>

#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::ProfileTestFolder;

const ProfileKey kList{ConfigFileKind::Input, 0, "S", "list"};

TEST(ProfileValueLists, ShortListsPadWithZeroAndLongOnesAreCut) {
    ProfileTestFolder folder;
    struct Case {
        const char* stored;
        std::vector<int> read;
    };
    for (const Case& c :
         {Case{"4,3,2,1", {4, 3, 2, 1}}, Case{"7", {7, 0, 0, 0}}, Case{"5,", {5, 0, 0, 0}},
          Case{",5", {0, 0, 0, 0}}, Case{"", {0, 0, 0, 0}}, Case{"1,2,3,4,5,6", {1, 2, 3, 4}},
          Case{" 9 , x,-3", {9, 0, -3, 0}}}) {
        folder.store().WriteValue(kList.kind, kList.section, kList.key, c.stored);
        EXPECT_EQ(ReadProfileInts(folder.store(), kList, 4), c.read) << c.stored;
    }
    EXPECT_TRUE(ReadProfileInts(folder.store(), kList, 0).empty());
}

TEST(ProfileValueLists, NarrowFieldsTruncateAndWritesJoinWithoutSpaces) {
    ProfileTestFolder folder;
    folder.store().WriteValue(kList.kind, kList.section, kList.key, "300,-1,255");
    std::array<std::uint8_t, 3> narrow{};
    ReadProfileInts(folder.store(), kList, narrow);
    EXPECT_EQ(narrow, (std::array<std::uint8_t, 3>{44, 255, 255}));

    ASSERT_TRUE(WriteProfileInts(folder.store(), kList, std::array<std::uint8_t, 3>{0, 128, 255}));
    EXPECT_EQ(folder.Value(kList.kind, "S", "list"), "0,128,255");
    ASSERT_TRUE(WriteProfileInts(folder.store(), kList, std::array<int, 2>{-5, 70000}));
    EXPECT_EQ(folder.Value(kList.kind, "S", "list"), "-5,70000");
}

TEST(ProfileValueRects, StoredAsWidthHeightXY) {
    ProfileTestFolder folder;
    const ProfileKey key{ConfigFileKind::Output, 2, "Mode3", "OutCH1_OutputMap_Size"};
    ASSERT_TRUE(WriteProfileRect(folder.store(), key, WindowRect{10, 640, 20, 480}));
    EXPECT_EQ(folder.Value(ConfigFileKind::Output, "Mode3", "OutCH1_OutputMap_Size", 2),
              "640,480,10,20");
    EXPECT_EQ(ReadProfileRect(folder.store(), key), (WindowRect{10, 640, 20, 480}));
    EXPECT_EQ(ReadProfileInt(folder.store(), {ConfigFileKind::Output, 2, "Mode3", "missing"}), 0);
}

}  // namespace
}  // namespace hsq
