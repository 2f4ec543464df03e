#pragma once

#include <string>
#include <string_view>

#include "dialog/bilingual.h"

namespace hsq {

// The mode name dialog (CCSetModeName) without its window: the name changes only when the
// operator saves it; any other way out keeps the name it came with.
class ModeNameLogic {
  public:
    enum class Caption { Title, Save };

    ModeNameLogic(std::string name, LanguageFlag language)
        : name_(std::move(name)), language_(language) {}

    const std::string& Name() const { return name_; }
    std::string_view CaptionText(Caption caption) const;
    void OnSave(const std::string& typed) { name_ = typed; }

  private:
    std::string name_;
    LanguageFlag language_;
};

}  // namespace hsq
