#pragma once

#include <optional>

#include "app/bilingual.h"
#include "app/dialog_host.h"

namespace hsq {

enum MessageCode : int {
    kMessageNoSystemFile = 2,
    kMessageInputCardReadFailed = 4,
    kMessageConnectFailed = 6,
    kMessageNoInputFile = 14,
    kMessageNoOutputFile = 15,
};

std::optional<Bilingual> CatalogueMessage(int code);

// Shows the message in a box with an OK button; an unknown code shows nothing.
void ShowMessage(DialogHost& host, LanguageFlag language, int code);

}  // namespace hsq
