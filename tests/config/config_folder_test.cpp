#include "config/config_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "support/temp_folder.h"

namespace hsq {
namespace {

TEST(ConfigFolder, OptionBeatsEnvironmentWhichBeatsTheProgramsOwnFolder) {
    const std::vector<std::string> none{"hsq2600"};
    const std::vector<std::string> separate{"hsq2600", "--demo", "--config-dir", "/srv/walls"};
    const std::vector<std::string> joined{"hsq2600", "--config-dir=/srv/other"};
    const std::vector<std::string> dangling{"hsq2600", "--config-dir"};
    EXPECT_EQ(ResolveConfigFolder(separate, "/env"), "/srv/walls");
    EXPECT_EQ(ResolveConfigFolder(joined, "/env"), "/srv/other");
    EXPECT_EQ(ResolveConfigFolder(none, "/env"), "/env");
    EXPECT_EQ(ResolveConfigFolder(none, ""), ExecutableFolder() / "SystemINI");
    EXPECT_EQ(ResolveConfigFolder(dangling, nullptr), ExecutableFolder() / "SystemINI");
}

// Wherever the tests are run from, the folder is the one holding this very program.
TEST(ConfigFolder, TheExecutablesFolderHoldsTheRunningProgram) {
    const std::filesystem::path program = std::filesystem::path(program_invocation_name).filename();
    EXPECT_TRUE(std::filesystem::equivalent(ExecutableFolder() / program, "/proc/self/exe"));
}

TEST(ConfigFolder, FindsAFileIgnoringCaseButPrefersTheExactName) {
    testing::TempFolder folder;
    folder.Write("2600info.ini", "");
    EXPECT_EQ(FindFileIgnoringCase(folder.path(), "2600Info.ini"), folder / "2600info.ini");
    folder.Write("2600Info.ini", "");
    EXPECT_EQ(FindFileIgnoringCase(folder.path(), "2600Info.ini"), folder / "2600Info.ini");
    EXPECT_FALSE(FindFileIgnoringCase(folder.path(), "Input.ini"));
    EXPECT_FALSE(FindFileIgnoringCase(folder / "missing", "Input.ini"));
}

}  // namespace
}  // namespace hsq
