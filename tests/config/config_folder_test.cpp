#include "config/config_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/atomic_file.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

// An installed prefix with its shipped defaults, and a home, in a temporary folder; "{root}" in
// a case stands for that folder.
class ConfigFolderRule : public ::testing::Test {
  protected:
    ConfigFolderRule() {
        std::filesystem::create_directories(root_ / "prefix/bin");
        std::filesystem::create_directories(Shipped());
        std::filesystem::create_directories(root_ / "home");
        for (const char* name : {"2600Info.ini", "Input.ini", "Timer.ini"})
            std::ofstream(Shipped() / name) << "shipped " << name;
    }

    std::filesystem::path Shipped() const { return root_ / "prefix/share/hsq2600/SystemINI"; }
    std::filesystem::path Beside() const { return root_ / "prefix/bin/SystemINI"; }
    std::string Expand(std::string text) const {
        if (const std::size_t at = text.find("{root}"); at != std::string::npos)
            text.replace(at, 6, root_.path().string());
        return text;
    }
    // An empty HOME or XDG_CONFIG_HOME counts as unset, as in the environment.
    std::filesystem::path Resolve(const char* given, const char* named, const char* configHome,
                                  const char* home = "{root}/home") {
        const std::string configHomeText = Expand(configHome);
        const std::string homeText = Expand(home);
        return ResolveConfigFolder(given, {named, configHomeText.c_str(), homeText.c_str(),
                                           root_ / "prefix/bin"});
    }

    testing::TempFolder root_;
};

TEST_F(ConfigFolderRule, GivenThenNamedThenBesideTheBuildThenTheUsersOwnSeeded) {
    struct Case {
        const char* given;
        const char* named;
        const char* configHome;
        const char* home;
        bool besideProgram;
        const char* expected;
        bool seeded;
    };
    const char* home = "{root}/home";
    const char* ownFolder = "{root}/home/.config/hsq2600/SystemINI";
    const Case cases[] = {
        {"/srv/walls", "/env", "", home, false, "/srv/walls", false},
        {"", "/env", "", home, false, "/env", false},
        {"", "", "", home, true, "{root}/prefix/bin/SystemINI", false},
        {"", nullptr, "", home, false, ownFolder, true},
        {"", nullptr, "{root}/xdg", home, false, "{root}/xdg/hsq2600/SystemINI", true},
        {"", nullptr, "relative", home, false, ownFolder, true},
        {"", nullptr, "", "", false, "{root}/prefix/bin/SystemINI", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        std::filesystem::remove_all(root_ / "home/.config");
        std::filesystem::remove_all(root_ / "xdg");
        std::filesystem::remove_all(Beside());
        if (c.besideProgram) std::filesystem::create_directory(Beside());

        const std::filesystem::path folder = Resolve(c.given, c.named, c.configHome, c.home);
        EXPECT_EQ(folder, Expand(c.expected));
        if (c.seeded) {
            EXPECT_EQ(ReadFileBytes(folder / "Input.ini"), "shipped Input.ini");
            EXPECT_EQ(ReadFileBytes(folder / "Timer.ini"), "shipped Timer.ini");
        } else {
            EXPECT_FALSE(std::filesystem::exists(root_ / "home/.config"));
        }
    }
}

// An installed program whose folder holds a SystemINI it may not write (only an ordinary user
// sees this: root writes anywhere).
TEST_F(ConfigFolderRule, AReadOnlyFolderBesideTheProgramIsPassedOver) {
    std::filesystem::create_directory(Beside());
    std::filesystem::permissions(Beside(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    if (::access(Beside().c_str(), W_OK) == 0) GTEST_SKIP() << "this user writes to any folder";
    EXPECT_EQ(Resolve("", nullptr, ""), root_ / "home/.config/hsq2600/SystemINI");
}

// Wherever the tests are run from, the folder is the one holding this very program.
TEST(ConfigFolder, TheExecutablesFolderHoldsTheRunningProgram) {
    const std::filesystem::path program = std::filesystem::path(program_invocation_name).filename();
    EXPECT_TRUE(std::filesystem::equivalent(ExecutableFolder() / program, "/proc/self/exe"));
}

}  // namespace
}  // namespace hsq
