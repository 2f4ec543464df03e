// Writes the configuration files of a freshly initialised system into a folder; the build ships
// its output as the default SystemINI.
#include <cstdio>

#include "config/default_configuration.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    if (!hsq::WriteDefaultConfiguration(argv[1])) {
        std::fprintf(stderr, "%s: could not write the configuration files into %s\n", argv[0],
                     argv[1]);
        return 1;
    }
    return 0;
}
