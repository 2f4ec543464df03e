// The start-up language from the locale, the language dialog's questions, and the messages.
#include "app/language.h"

#include "app/message_catalogue.h"
#include "support/scripted_host.h"

namespace hsq {
namespace {

TEST(SystemLanguage, TheFirstSetLocaleVariableNamesTheLanguage) {
    EXPECT_EQ(SystemLanguageId("zh_CN.UTF-8", "en_US.UTF-8", nullptr), 2052);
    EXPECT_EQ(SystemLanguageId("", "zh_TW.UTF-8", "zh_CN.UTF-8"), 1028);
    EXPECT_EQ(SystemLanguageId(nullptr, nullptr, "zh_HK"), 3076);
    EXPECT_EQ(SystemLanguageId(nullptr, nullptr, "zh_SG.GB2312"), 4100);
    EXPECT_EQ(SystemLanguageId(nullptr, nullptr, "zh_MO@stroke"), 5124);
    EXPECT_EQ(SystemLanguageId(nullptr, nullptr, "zh_CNX"), 1033);
    EXPECT_EQ(SystemLanguageId(nullptr, nullptr, "C"), 1033);
    EXPECT_EQ(SystemLanguageId(nullptr, nullptr, nullptr), 1033);
}

TEST(SystemLanguage, OnlyThePrcStartsInChinese) {
    for (const auto& [id, language, localeClass] :
         {std::tuple{2052, kChinese, 0}, {1028, kEnglish, 1}, {3076, kEnglish, 1},
          {4100, kEnglish, 1}, {5124, kEnglish, 1}, {1033, kEnglish, 2}}) {
        EXPECT_EQ(std::tuple(LanguageForSystem(id).language, LanguageForSystem(id).localeClass),
                  std::tuple(language, localeClass)) << id;
    }
}

TEST(LanguageDialog, ATaiwanSystemIsWarnedAndNoKeepsEnglish) {
    testing::ScriptedHost host;
    LanguageFlag language = LanguageForSystem(1028).language;
    LanguageSetLogic dialog(host, language, LanguageForSystem(1028).localeClass);
    EXPECT_FALSE(dialog.ChineseChosen());
    EXPECT_EQ(dialog.Title(), "Language Set");
    host.Answer(false);
    dialog.OnChinese();
    EXPECT_EQ(language, kEnglish);
    EXPECT_FALSE(dialog.ChineseChosen());
    EXPECT_EQ(host.Shown(), std::vector<std::string>{
                                "System information: We have detected that your system is a "
                                "Chinese system, but not the PRC, if you choose Chinese may be "
                                "garbled,Continue? ?"});
    host.Answer(true);
    dialog.OnChinese();
    EXPECT_EQ(language, kChinese);
    EXPECT_EQ(dialog.Title(), "语言设置");
}

TEST(LanguageDialog, ANonChineseSystemGetsItsOwnQuestionAndThePrcNone) {
    testing::ScriptedHost host;
    LanguageFlag language = kEnglish;
    LanguageSetLogic other(host, language, 2);
    host.Answer(true);
    other.OnChinese();
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"We have detected that your system non-Chinese system, if "
                                       "you choose Chinese may be garbled,Continue?"});
    EXPECT_EQ(language, kChinese);

    LanguageSetLogic prc(host, language, 0);
    prc.OnEnglish();
    EXPECT_EQ(language, kEnglish);
    prc.OnChinese();
    EXPECT_EQ(language, kChinese);
    EXPECT_EQ(host.boxes.size(), 1u);
}

TEST(MessageCatalogue, ShowsKnownCodesInTheChosenLanguageAndNothingElse) {
    testing::ScriptedHost host;
    ShowMessage(host, kEnglish, 14);
    ShowMessage(host, kChinese, 2);
    ShowMessage(host, kEnglish, 3);
    EXPECT_EQ(host.Shown(), (std::vector<std::string>{
                                "System information: No configuration file: Input.ini, unable "
                                "to initialize",
                                "系统信息: 未发现配置文件:2600info.ini,无法进行初始化"}));
}

}  // namespace
}  // namespace hsq
