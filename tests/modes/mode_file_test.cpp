// The mode file on disk: what is written reads back the same, also from a file in the original
// program's form.
#include "modes/mode_file.h"

#include <gtest/gtest.h>

#include "config/text_encoding.h"
#include "modes/mode_test_support.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

// The original program's files end their lines with CR LF and hold their Chinese in GBK.
TEST(ModeFile, AFileInTheOriginalProgramsFormReadsTheSame) {
    testing::TempFolder folder;
    const ModeBank bank = testing::SampleBank();
    ASSERT_TRUE(WriteModeFile(folder / "written.ini", bank));
    const std::string written = folder.Read("written.ini");
    ASSERT_NE(written.find("\r\n"), std::string::npos);
    const auto note = Utf8ToGbk(";显示模式文件\r\n[说明]\r\n备注=大屏，模式一\r\n");
    ASSERT_TRUE(note.has_value());
    const std::string original = *note + written;
    ASSERT_EQ(DetectEncoding(original), TextEncoding::Gbk);
    folder.Write("original.ini", original);
    folder.Write("unix.ini", WithoutCarriageReturns(written));

    EXPECT_EQ(ReadModeFile(folder / "written.ini"), bank);
    EXPECT_EQ(ReadModeFile(folder / "original.ini"), bank);
    EXPECT_EQ(ReadModeFile(folder / "unix.ini"), bank);
}

}  // namespace
}  // namespace hsq
