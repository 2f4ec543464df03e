#pragma once

#include "dialog/bilingual.h"
#include "config/profile_store.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The version window: the six firmware versions last read from the processor.
class CCVision : public StyledDialog {
  public:
    CCVision(const ProfileStore& store, LanguageFlag language, QWidget* parent = nullptr);
};

}  // namespace hsq
