#pragma once

#include <string_view>

namespace hsq {

// 1 shows the Chinese texts, 0 the English ones.
using LanguageFlag = int;
inline constexpr LanguageFlag kChinese = 1;
inline constexpr LanguageFlag kEnglish = 0;

// Every text the operator sees, in both languages.
struct Bilingual {
    std::string_view chinese;
    std::string_view english;

    std::string_view In(LanguageFlag language) const {
        return language == kChinese ? chinese : english;
    }
};

// Message box captions.
inline constexpr Bilingual kSystemInformation{"系统信息", "System information"};
inline constexpr Bilingual kSystemMessage{"系统消息", "System information"};

// Messages many windows give in the same words.
inline constexpr Bilingual kNotConnected{"请打开连接", "Please Open the connection"};
inline constexpr Bilingual kValueOutOfRange{"值越界", "Value out of range"};
inline constexpr Bilingual kPoorCommunication{"通讯不畅，无法发送数据",
                                              "Poor communication, can't send data"};

}  // namespace hsq
