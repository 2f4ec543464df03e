// hsq2600ctl: the processor from the command line, for scripts and control systems.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ctl_program.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    hsq::SystemClock clock;
    const hsq::cli::CtlEnvironment environment{std::getenv("HSQ2600_CONFIG_DIR"),
                                               std::getenv("XDG_RUNTIME_DIR")};
    return hsq::cli::RunCtl(arguments, clock, std::cout, std::cerr, environment);
}
