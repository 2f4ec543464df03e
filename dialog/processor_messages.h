#pragma once

#include <string>
#include <string_view>

#include "dialog/bilingual.h"

namespace hsq {

// What the operator is told when the processor did not take a change: the record, the files
// and the window still hold what the processor holds.
inline constexpr Bilingual kNotConfirmed{"处理器没有确认，没有做任何更改。",
                                         "The processor did not confirm; nothing was changed."};

// What a stopped multi-step operation leaves behind, said after which step went unanswered.
inline constexpr Bilingual kNothingChanged{"没有做任何更改。", "Nothing was changed."};
inline constexpr Bilingual kPartOfFileHeld{"处理器只保存了文件的一部分。",
                                           "The processor holds part of the file."};
inline constexpr Bilingual kNoFileWritten{"没有写入文件。", "No file was written."};

// "The processor did not answer step 12 of 40 (FE 14 03). Nothing was changed."
inline std::string UnansweredStepText(LanguageFlag language, int step, int total,
                                      std::string_view request, const Bilingual& consequence) {
    const std::string number = std::to_string(step);
    const std::string count = std::to_string(total);
    const std::string said = language == kChinese
                                 ? "处理器没有应答第 " + number + " 步（共 " + count + " 步，" +
                                       std::string(request) + "）。"
                                 : "The processor did not answer step " + number + " of " + count +
                                       " (" + std::string(request) + "). ";
    return said + std::string(consequence.In(language));
}

// "Stopped at your request after step 12 of 40. Nothing was changed."
inline std::string StoppedStepText(LanguageFlag language, int done, int total,
                                   const Bilingual& consequence) {
    const std::string number = std::to_string(done);
    const std::string count = std::to_string(total);
    const std::string said =
        language == kChinese ? "已按您的要求在第 " + number + " 步（共 " + count + " 步）后停止。"
                             : "Stopped at your request after step " + number + " of " + count +
                                   ". ";
    return said + std::string(consequence.In(language));
}

// Said when a processor already known to be silent did not answer the question asked before a
// long operation either, so the operation never began.
inline constexpr Bilingual kProcessorSilent{"处理器没有应答，什么都没有发送。",
                                            "The processor does not answer; nothing was sent."};

}  // namespace hsq
