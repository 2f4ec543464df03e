// The default configuration shipped in the sources is what the code writes.
#include "config/default_configuration.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::ProfileTestFolder;
constexpr auto FileNames = ProfileTestFolder::FileNames;

const char* const kDefaultFiles[] = {"2600Info.ini", "Input.ini", "Output1.ini", "Output2.ini",
                                     "Timer.ini"};

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Written into a folder made on the way, never through a file.
TEST(DefaultConfiguration, ShippedFilesAreExactlyWhatItWrites) {
    ProfileTestFolder folder;
    const std::filesystem::path nested = folder.path() / "a" / "SystemINI";
    ASSERT_TRUE(WriteDefaultConfiguration(nested));
    const std::filesystem::path shipped =
        std::filesystem::path(HSQ_SOURCE_DIR) / "res" / "SystemINI";
    EXPECT_EQ(FileNames(shipped), FileNames(nested));
    for (const char* name : kDefaultFiles)
        EXPECT_EQ(FileBytes(shipped / name), FileBytes(nested / name)) << name;
    folder.Write("file", "x");
    EXPECT_FALSE(WriteDefaultConfiguration(folder.path() / "file" / "SystemINI"));
}

}  // namespace
}  // namespace hsq
