// Files as the original Windows program writes them, read and edited as its platform's profile
// functions would.
#include "config/ini_document.h"

#include <gtest/gtest.h>

#include <string>

namespace hsq {
namespace {

std::string Value(const IniDocument& document, std::string_view section, std::string_view key) {
    const auto value = document.Find(section, key);
    return value ? std::string(*value) : std::string("<missing>");
}

const std::string kWindowsFile =
    "; written by hand\r\n"
    "orphan=before any section\r\n"
    "\r\n"
    "[BOARD]\r\n"
    "Config_Mode=3\r\n"
    "  Display_Mode  =  5  \r\n"
    "quoted=\"a b \"\r\n"
    "single='x'\r\n"
    "half=\"open\r\n"
    "comment=b ;c\r\n"
    "; Config_Mode=9\r\n"
    "OutCH1_Form=0,128,128,128,4\r\n"
    "Config_Mode=7\r\n"
    "\r\n"
    "[ Mode5 ]\r\n"
    "aOverlay=4,3,2,1\r\n"
    "novalue\r\n"
    "empty=\r\n"
    "[board]\r\n"
    "Extra=1\r\n";

TEST(IniDocumentRead, ReadsTheWindowsStyleCorpusAsThePlatformDoes) {
    const IniDocument document(kWindowsFile);
    EXPECT_EQ(Value(document, "BOARD", "Config_Mode"), "3");  // first duplicate wins
    EXPECT_EQ(Value(document, "board", "display_mode"), "5");
    EXPECT_EQ(Value(document, "BOARD", "quoted"), "a b ");
    EXPECT_EQ(Value(document, "BOARD", "single"), "x");
    EXPECT_EQ(Value(document, "BOARD", "half"), "\"open");
    EXPECT_EQ(Value(document, "BOARD", "comment"), "b ;c");
    EXPECT_EQ(Value(document, "BOARD", "OutCH1_Form"), "0,128,128,128,4");
    EXPECT_EQ(Value(document, "MODE5", "aOverlay"), "4,3,2,1");
    EXPECT_EQ(Value(document, "Mode5", "empty"), "");
    // Only the first of duplicate sections is searched.
    EXPECT_EQ(Value(document, "BOARD", "Extra"), "<missing>");
    EXPECT_EQ(Value(document, "BOARD", "orphan"), "<missing>");
    EXPECT_EQ(Value(document, "Mode5", "novalue"), "<missing>");
    EXPECT_EQ(Value(document, "BOARD", "; Config_Mode"), "<missing>");
    EXPECT_EQ(Value(document, "Mode6", "aOverlay"), "<missing>");
}

TEST(IniDocumentRead, SurvivesMalformedLines) {
    using namespace std::string_literals;
    const IniDocument document(
        "[unclosed\n=novalue\n[]\nk=empty name section\n[S]]x\n\0bin=1\nk=v\n"s);
    EXPECT_EQ(Value(document, "", "k"), "empty name section");
    EXPECT_EQ(Value(document, "S", "k"), "v");
    EXPECT_EQ(Value(document, "unclosed", "k"), "<missing>");
}

TEST(IniDocumentWrite, ReplacesOnlyTheValueBytesOfAKeyAndAddsANewOneAfterTheLast) {
    IniDocument document(kWindowsFile);
    document.Set("board", "display_mode", "12");
    std::string expected = kWindowsFile;
    expected.replace(expected.find("=  5") + 3, 1, "12");
    EXPECT_EQ(document.Bytes(), expected);

    document.Set("BOARD", "quoted", "plain");
    expected.replace(expected.find("\"a b \""), 6, "plain");
    EXPECT_EQ(document.Bytes(), expected);

    document.Set("Mode5", "EMPTY", "7");
    expected.replace(expected.find("empty=") + 6, 0, "7");
    EXPECT_EQ(document.Bytes(), expected);

    document.Set("BOARD", "Img_all", "1");
    expected.insert(expected.find("Config_Mode=7\r\n") + 15, "Img_all=1\r\n");
    EXPECT_EQ(document.Bytes(), expected);
    EXPECT_EQ(Value(document, "BOARD", "Img_all"), "1");
}

// A new section goes at the end, a new key after its section's last key or right after the
// header of a section without keys, each in the file's own line ending; a byte order mark stays.
TEST(IniDocumentWrite, AddsNewSectionsAndKeysInTheFilesLineEnding) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    };
    const Case cases[] = {
        {"[A]\nk=1", "B", "k", "[A]\nk=1\n[B]\nk=2\n"},
        {"[A]\nk=1\n[B]\nk=2\n", "A", "j", "[A]\nk=1\nj=2\n[B]\nk=2\n"},
        {"\xEF\xBB\xBF[A]\rk=1\r", "A", "j", "\xEF\xBB\xBF[A]\rk=1\rj=2\r"},
        {"", "System", "outformat", "[System]\r\noutformat=2\r\n"},
        {"[A]\r\n; note\r\n\r\n[B]\r\n", "A", "k", "[A]\r\nk=2\r\n; note\r\n\r\n[B]\r\n"},
    };
    for (const Case& c : cases) {
        IniDocument document(c.before);
        document.Set(c.section, c.key, "2");
        EXPECT_EQ(document.Bytes(), c.after) << c.before;
    }
}

}  // namespace
}  // namespace hsq
