#include "app/language.h"

#include <string_view>

namespace hsq {
namespace {

constexpr int kChinesePrc = 2052;
constexpr int kEnglishUs = 1033;

bool Names(std::string_view locale, std::string_view prefix) {
    if (!locale.starts_with(prefix)) return false;
    return locale.size() == prefix.size() || locale[prefix.size()] == '.' ||
           locale[prefix.size()] == '@';
}

}  // namespace

int SystemLanguageId(const char* lcAll, const char* lcMessages, const char* lang) {
    std::string_view locale;
    for (const char* candidate : {lcAll, lcMessages, lang}) {
        if (candidate != nullptr && *candidate != '\0') {
            locale = candidate;
            break;
        }
    }
    struct Mapping {
        std::string_view locale;
        int id;
    };
    constexpr Mapping kChineseLocales[] = {
        {"zh_CN", kChinesePrc}, {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh_SG", 4100}, {"zh_MO", 5124}};
    for (const Mapping& mapping : kChineseLocales) {
        if (Names(locale, mapping.locale)) return mapping.id;
    }
    return kEnglishUs;
}

StartLanguage LanguageForSystem(int languageId) {
    switch (languageId) {
        case kChinesePrc: return {kChinese, 0};
        case 1028:
        case 3076:
        case 4100:
        case 5124: return {kEnglish, 1};
        default: return {kEnglish, 2};
    }
}

void LanguageSetLogic::OnChinese() {
    constexpr std::string_view kNotPrc =
        "We have detected that your system is a Chinese system, but not the PRC, if you choose "
        "Chinese may be garbled,Continue?";
    constexpr std::string_view kNotChinese =
        "We have detected that your system non-Chinese system, if you choose Chinese may be "
        "garbled,Continue?";
    if (localeClass_ == 0) {
        language_ = kChinese;
        return;
    }
    // Asked in English on purpose: Chinese may not show on such a system.
    const auto question = localeClass_ == 1 ? kNotPrc : kNotChinese;
    if (host_.AskYesNo(kSystemInformation.english, question)) language_ = kChinese;
}

}  // namespace hsq
