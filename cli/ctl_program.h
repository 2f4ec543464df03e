#pragma once

#include <ostream>
#include <span>
#include <string>

#include "dialog/bilingual.h"
#include "link/clock.h"

namespace hsq::cli {

// Exit statuses: done, the processor did not answer or refused (or a file could not be
// written), the command line was wrong.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What the program takes from its environment.
struct CtlEnvironment {
    const char* configFolder = nullptr;   // HSQ2600_CONFIG_DIR
    const char* runtimeFolder = nullptr;  // XDG_RUNTIME_DIR, where the line services listen
    const char* configHome = nullptr;     // XDG_CONFIG_HOME, for the HTTP access token
    const char* home = nullptr;           // HOME
    LanguageFlag language = kEnglish;     // the program's language, from the locale
};

// hsq2600ctl with its arguments (the program's name first). What it reports goes to out, what
// went wrong to err as one line.
int RunCtl(std::span<const std::string> arguments, Clock& clock, std::ostream& out,
           std::ostream& err, const CtlEnvironment& environment);

}  // namespace hsq::cli
