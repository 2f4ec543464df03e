#include "app/version_logic.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace hsq {
namespace {

TEST(VersionDialog, ShowsTheStoredVersionsAndEmptyTextsForMissingOnes) {
    testing::TempFolder folder;
    ProfileStore store(folder.path());
    EXPECT_EQ(VersionTexts::Versions(store), (std::array<std::string, 6>{}));
    folder.Write("2600Info.ini", "[Version]\r\nINA=V 1.3.2\r\nIND=V 1.0.9\r\nOUTK=V 2.5\r\n");
    EXPECT_EQ(VersionTexts::Versions(store),
              (std::array<std::string, 6>{"V 1.3.2", "", "", "V 1.0.9", "V 2.5", ""}));
}

}  // namespace
}  // namespace hsq
