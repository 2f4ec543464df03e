#include "config/comma_list.h"

#include <gtest/gtest.h>

namespace hsq {
namespace {

std::vector<std::string> Split(std::string_view text) {
    std::vector<std::string> fields{"stale"};
    SplitCommaList(text, fields);
    return fields;
}

TEST(SplitCommaList, SplitsAtEveryCommaAndEmptiesAListWithoutAFirstField) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(Split("4,3,2,1"), (Fields{"4", "3", "2", "1"}));
    EXPECT_EQ(Split(" 5 "), (Fields{"5"}));
    EXPECT_EQ(Split("5,"), (Fields{"5", ""}));
    EXPECT_EQ(Split("1, 2 ,3"), (Fields{"1", " 2 ", "3"}));
    EXPECT_EQ(Split(""), Fields{});
    EXPECT_EQ(Split("  "), Fields{});
    EXPECT_EQ(Split(",5"), Fields{});
    EXPECT_EQ(Split(",,"), Fields{});
}

TEST(DecimalValue, TakesLeadingDigitsLikeTheCLibrary) {
    EXPECT_EQ(DecimalValue("128"), 128);
    EXPECT_EQ(DecimalValue(" 2 "), 2);
    EXPECT_EQ(DecimalValue("-16"), -16);
    EXPECT_EQ(DecimalValue("+7"), 7);
    EXPECT_EQ(DecimalValue("12abc"), 12);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("-"), 0);
    EXPECT_EQ(DecimalValue("99999999999999999999"), 2147483647);
    EXPECT_EQ(DecimalValue("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace hsq
