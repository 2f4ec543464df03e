// hsq2600ctl: the processor from the command line, for scripts and control systems.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/language.h"
#include "cli/ctl_program.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    hsq::SystemClock clock;
    const int languageId = hsq::SystemLanguageId(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                                 std::getenv("LANG"));
    const hsq::cli::CtlEnvironment environment{
        std::getenv("HSQ2600_CONFIG_DIR"), std::getenv("XDG_RUNTIME_DIR"),
        std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"),
        hsq::LanguageForSystem(languageId).language};
    return hsq::cli::RunCtl(arguments, clock, std::cout, std::cerr, environment);
}
