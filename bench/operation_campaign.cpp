// The random operation campaign, longer than the test runs it:
// operation_campaign [EXCHANGES [SEED [--log]]]
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/operation_campaign.h"

int main(int argc, char** argv) {
    hsq::campaign::OperationRun run;
    if (argc > 1) run.exchanges = std::stol(argv[1]);
    if (argc > 2) run.seed = std::stoull(argv[2]);
    if (argc > 3 && std::string(argv[3]) == "--log")
        run.log = [](const std::string& name) { std::printf("- %s\n", name.c_str()); };
    std::string folder = (std::filesystem::temp_directory_path() / "hsq-operations-XXXXXX");
    if (::mkdtemp(folder.data()) == nullptr) return 2;
    std::printf("seed %llu\n", static_cast<unsigned long long>(run.seed));
    const auto start = std::chrono::steady_clock::now();
    const auto figures = hsq::campaign::RunOperations(run, folder);
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // HSQ_CAMPAIGN_KEEP keeps the files of a run that found something, to look at.
    if (std::getenv("HSQ_CAMPAIGN_KEEP") == nullptr)
        std::filesystem::remove_all(folder);
    else
        std::printf("files kept in %s\n", folder.c_str());
    std::printf("%ld steps, %ld exchanges, %ld fault spells, %zu kinds of operation, %.1f s\n",
                figures.steps, figures.exchanges, figures.faultSpells, figures.operations.size(),
                seconds);
    for (const auto& [name, count] : figures.operations)
        std::printf("  %-28s %ld\n", name.c_str(), count);
    for (const std::string& finding : figures.findings) std::printf("FOUND %s\n", finding.c_str());
    std::printf("recovered: %s\n", figures.recovered ? "yes" : "no");
    return figures.findings.empty() && figures.recovered ? 0 : 1;
}
