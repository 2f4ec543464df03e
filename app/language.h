#pragma once

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"

namespace hsq {

// 0: the system is Chinese (PRC); 1: another Chinese locale; 2: not Chinese.
using LocaleClass = int;

// The system's default language identifier from the POSIX locale: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty names it.
int SystemLanguageId(const char* lcAll, const char* lcMessages, const char* lang);

struct StartLanguage {
    LanguageFlag language = kEnglish;
    LocaleClass localeClass = 2;
};
StartLanguage LanguageForSystem(int languageId);

// The language dialog (CLanguageSet): a choice takes effect at once.
class LanguageSetLogic {
  public:
    LanguageSetLogic(DialogHost& host, LanguageFlag& language, LocaleClass localeClass)
        : host_(host), language_(language), localeClass_(localeClass) {}

    static constexpr Bilingual kTitle{"语言设置", "Language Set"};
    static constexpr std::string_view kChineseOption = " 中文";
    static constexpr std::string_view kEnglishOption = " English";

    std::string_view Title() const { return kTitle.In(language_); }
    // Which option shows as chosen.
    bool ChineseChosen() const { return language_ == kChinese; }

    void OnChinese();
    void OnEnglish() { language_ = kEnglish; }

  private:
    DialogHost& host_;
    LanguageFlag& language_;
    LocaleClass localeClass_;
};

}  // namespace hsq
