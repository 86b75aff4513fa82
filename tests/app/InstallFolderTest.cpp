#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/InstallFolder.h"

namespace {

constexpr char VendorKey[] = "Software\\VEXO! Software";
constexpr char GameKey[] = "Software\\VEXO! Software\\Zelto";

class InstallFolder : public ::testing::Test, protected TStartupRig {
 protected:
  std::string FailureOf() {
    try {
      FindInstallFolder(Services);
    } catch (const TStartupError& error) {
      return error.what();
    }
    return "no error";
  }
};

TEST_F(InstallFolder, WithNoSettingsBothFoldersAreTheExecutablesAndTheGameKeyIsCreated) {
  FindInstallFolder(Services);
  EXPECT_EQ(DataDir, "/opt/zeltoria/");
  EXPECT_EQ(InstallDir, "/opt/zeltoria/");
  EXPECT_EQ(Events, (Log{"create key Software\\VEXO! Software\\Zelto"}));
  ASSERT_TRUE(Settings.Keys.count(GameKey));
  EXPECT_TRUE(Settings.Keys[GameKey].empty());   // still no "Directory"
  EXPECT_FALSE(Settings.Keys.count(VendorKey));  // opened without creating
}

TEST_F(InstallFolder, ARegisteredFolderStillReadsTheDataFromTheExecutablesFolder) {
  for (const char* registered : {"/srv/games", "/srv/games/"}) {
    Settings.Keys[GameKey]["Directory"] = registered;
    Settings.Keys[VendorKey]["DevHome"] = "/home/dev";
    FindInstallFolder(Services);
    EXPECT_EQ(DataDir, "/opt/zeltoria/") << registered;
    EXPECT_EQ(InstallDir, "/opt/zeltoria/") << registered;
  }
  EXPECT_TRUE(Events.empty());  // the key existed
}

TEST_F(InstallFolder, ADevHomeWithoutAValidRegisteredFolderReadsTheDataFromItsZeltoFolder) {
  Files.Folders.insert("/home/dev/Zelto");
  Settings.Keys[VendorKey]["DevHome"] = "/home/dev";
  FindInstallFolder(Services);  // no "Directory" at all
  EXPECT_EQ(DataDir, "/home/dev/Zelto/");
  EXPECT_EQ(InstallDir, "/home/dev/Zelto/");

  Settings.Keys[GameKey]["Directory"] = "/gone";
  FindInstallFolder(Services);
  EXPECT_EQ(DataDir, "/home/dev/Zelto/");

  Settings.Keys[GameKey]["Directory"] = "/srv/games";
  Settings.Unreadable.insert("Directory");  // present but not text: counts as empty
  FindInstallFolder(Services);
  EXPECT_EQ(DataDir, "/home/dev/Zelto/");
}

TEST_F(InstallFolder, AMissingFolderIsNamedInQuotesWithoutAFinalSlash) {
  Settings.Keys[VendorKey]["DevHome"] = "/home/dev";
  EXPECT_EQ(FailureOf(),
            "Unable to locate installation folder \"/home/dev/Zelto\". Please re-install and "
            "try again.");

  // An executable whose folder cannot be found: the message names an empty folder.
  Settings.Keys.clear();
  Files.Executable.clear();
  EXPECT_EQ(FailureOf(),
            "Unable to locate installation folder \"\". Please re-install and try again.");
}

TEST_F(InstallFolder, FolderExistsNeedsTheFolderFlag) {
  EXPECT_TRUE(FolderExists(Files, "/opt/zeltoria"));
  EXPECT_TRUE(FolderExists(Files, "/opt/zeltoria/"));
  EXPECT_FALSE(FolderExists(Files, "/opt/zeltoria/zelto.vx8"));  // a file
  EXPECT_FALSE(FolderExists(Files, "/nowhere"));
  EXPECT_FALSE(FolderExists(Files, ""));
}

TEST_F(InstallFolder, CheckDataFileNamesTheMissingFileInQuotes) {
  DataDir = "/opt/zeltoria/";
  EXPECT_TRUE(CheckDataFile(Services));
  EXPECT_TRUE(Events.empty());
  DataDir = "/srv/games/";
  EXPECT_FALSE(CheckDataFile(Services));
  EXPECT_EQ(Events, (Log{"error box: Sorry! Zeltoria cannot find the needed file "
                         "\"/srv/games/zelto.vx8\"."}));
}

}  // namespace
