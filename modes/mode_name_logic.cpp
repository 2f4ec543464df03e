#include "modes/mode_name_logic.h"

namespace hsq {

std::string_view ModeNameLogic::CaptionText(Caption caption) const {
    switch (caption) {
        case Caption::Title:
            return Bilingual{"显示模式名称", "Display mode Name"}.In(language_);
        case Caption::Save:
            return Bilingual{"保存", "Save"}.In(language_);
    }
    return {};
}

}  // namespace hsq
