// Fault campaigns against the program's link and read-back, longer than the test runs them:
// reply_fault_campaign [EXCHANGES [ROUNDS [SEED [RATE]]]]
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/fault_campaign.h"

int main(int argc, char** argv) {
    const long exchanges = argc > 1 ? std::stol(argv[1]) : 200000;
    const long rounds = argc > 2 ? std::stol(argv[2]) : 500;
    const std::uint64_t seed = argc > 3 ? std::stoull(argv[3]) : 2600;
    const double rate = argc > 4 ? std::stod(argv[4]) : 0.2;

    std::printf("%-10s %10s %10s %8s %8s %8s %10s %10s\n", "faults", "exchanges", "succeeded",
                "wrong", "rounds", "wrong", "recovered", "violations");
    bool clean = true;
    for (const auto& plan : hsq::campaign::StandardPlans(rate, exchanges, rounds, seed)) {
        std::string pattern = (std::filesystem::temp_directory_path() / "hsq-campaign-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) return 2;
        const auto figures = hsq::campaign::Run(plan, pattern);
        std::filesystem::remove_all(pattern);
        std::printf("%-10s %10ld %10ld %8ld %8ld %8ld %10s %10ld\n", figures.faults.c_str(),
                    figures.exchanges, figures.succeeded, figures.wrongAccepted,
                    figures.recorderRounds, figures.wrongRounds, figures.recovered ? "yes" : "no",
                    figures.violations);
        clean = clean && figures.wrongAccepted == 0 && figures.wrongRounds == 0 &&
                figures.recovered && figures.violations == 0;
    }
    return clean ? 0 : 1;
}
