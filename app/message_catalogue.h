#pragma once

#include <optional>
#include <string>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "config/profile_problem.h"

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

// What the operator is told when a configuration file lets him down, naming the file and the
// text that could not be stored; shown with the catalogue's caption.
std::string ProfileProblemText(const ProfileProblemReport& report, LanguageFlag language);

}  // namespace hsq
