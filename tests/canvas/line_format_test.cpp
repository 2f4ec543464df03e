#include "canvas/layout_line_format.h"

#include <gtest/gtest.h>

#include "canvas/channel_window.h"
#include "canvas/layout_item_list.h"

namespace hsq {
namespace {

TEST(EntityLineTest, WritesTheFieldsInOrderWithSixDecimalsAndEscapedSeparators) {
    CLayoutItem item;
    item.SetRectangle({1.5, 2, 300.25, 4});
    item.SetTitle("t");
    item.SetName("n");
    item.SetGroup(3);
    EXPECT_EQ(item.ToString(), "basic:1.500000,2.000000,300.250000,4.000000,t,n,3");
    EXPECT_EQ(CChannelWindow().ToString(), "button:0.000000,0.000000,0.000000,0.000000,,button,0");

    CChannelWindow written;
    written.SetRectangle({10, 20, 110.5, 70});
    written.SetTitle("Ch:1, left; main\r\nrow");
    written.SetName("a,b:c");
    written.SetGroup(-2);
    const std::string line = written.ToString();
    EXPECT_EQ(line,
              "button:10.000000,20.000000,110.500000,70.000000,"
              "Ch\\colon1\\comma left\\semicolon main\\newlinerow,a\\commab\\colonc,-2");
    CChannelWindow read;
    ASSERT_TRUE(read.FromString(line));
    EXPECT_EQ(read.Title(), "Ch:1, left; main\r\nrow");
    EXPECT_EQ(read.Name(), "a,b:c");
    EXPECT_EQ(read.ToString(), line);  // the numbers came back too
}

TEST(EntityLineTest, UnescapingLeavesOtherBackslashesAndLoneLineEndsAlone) {
    EXPECT_EQ(UnescapeLineText("a\\b\\col\\comma"), "a\\b\\col,");
    EXPECT_EQ(EscapeLineText("x\ny\rz"), "x\ny\rz");
    EXPECT_EQ(UnescapeLineText(EscapeLineText("\\:")), "\\:");
}

TEST(EntityLineTest, KeyAndValueAreTrimmedAndBadLinesAreRefusedAndChangeNothing) {
    const std::optional<ItemLine> item = ReadItemLine("  basic :  1, 2 ,3,4,t ,n, 7  ");
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->type, "basic");
    EXPECT_EQ(item->rect, (RectF{1, 2, 3, 4}));
    EXPECT_EQ(item->title, "t ");
    EXPECT_EQ(item->group, 7);

    CChannelWindow window;
    window.SetRectangle({1, 2, 3, 4});
    window.SetTitle("kept");
    const std::string before = window.ToString();
    for (const char* line : {
             "button",  // no colon
             "button:1,2,3,4,t,n",          // six fields
             "button:1,2,3,4,t,n,0,extra",  // eight fields
             "button:1,2,x,4,t,n,0",        // not a number
             "button:1,2,3,4,t,n,0.5",      // group not whole
             "button:nan,2,3,4,t,n,0",  // not finite
             "button:1,2,1e10,4,t,n,0",  // beyond any canvas
             "button:5,2,3,4,t,n,0",     // right before left
             "button:1,2,3,4,t,n,99999999999",
             "basic:1,2,3,4,t,n,0",  // another type
             ":1,2,3,4,t,n,0",
         }) {
        EXPECT_FALSE(window.FromString(line)) << line;
    }
    EXPECT_EQ(window.ToString(), before);
}

TEST(PaperLineTest, ReadsAndWritesTheSizeAndRefusesAnythingButTwoNumbers) {
    CLayoutItemList list;
    ASSERT_TRUE(list.ReadPaperLine(" paper : 640, 480; "));
    EXPECT_EQ(list.PaperSize(), (Size{640, 480}));
    ASSERT_TRUE(list.ReadPaperLine("paper:800,600;"));
    EXPECT_EQ(list.PaperLine(), "paper:800,600;");
    for (const char* line : {
             "paper:800,600,400;",
             "paper:800;",
             "paper:;",
             "paper:800,600",  // no closing semicolon
             "paper:a,600;",
             "paper:800,-1;",
             "paper:40000,600;",  // beyond the largest paper
             "paper:800,,600;",
             "size:800,600;",
             "paper",
         }) {
        EXPECT_FALSE(list.ReadPaperLine(line)) << line;
    }
    EXPECT_FALSE(list.SetPaperSize({-1, 5}));
    EXPECT_EQ(list.PaperSize(), (Size{800, 600}));
}

}  // namespace
}  // namespace hsq
