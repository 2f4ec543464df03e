#pragma once

#include "dialog/bilingual.h"

namespace hsq {

// Qt's own texts (the standard buttons of a message box: Yes, No, OK) in the operator's
// language. Needs Qt's translations; without them the buttons stay English.
void FollowLanguage(LanguageFlag language);

}  // namespace hsq
