#include "launcher/launcher.h"

#include <string>

#include "tests/platform_fake.h"

namespace {

class LauncherTest : public PlatformTest {};

TEST_F(LauncherTest, StartsTheImportInTheWorkingDirectoryThenPauses) {
  Fake().currentDirectory = "C:\\Games\\Demo";
  EXPECT_EQ(RunLauncher(), 0);
  ASSERT_GE(Fake().calls.size(), 3u);
  EXPECT_EQ(Fake().calls[0], "GetCurrentDirectory 400");
  EXPECT_EQ(Fake().calls[1], "StartProgram REGEDIT.EXE|/s C:\\Games\\Demo\\CONF\\TMPFILE.TXT|C:\\Games\\Demo");
  EXPECT_EQ(Fake().calls[2], "Pause 1000");
}

TEST_F(LauncherTest, QuotesTheScriptPathWhenTheDirectoryHoldsWhiteSpace) {
  Fake().currentDirectory = "C:\\Program Files\\Game";
  RunLauncher();
  EXPECT_EQ(Fake().calls[1],
            "StartProgram REGEDIT.EXE|/s \"C:\\Program Files\\Game\\CONF\\TMPFILE.TXT\"|C:\\Program Files\\Game");

  Fake() = FakePlatform();
  Fake().currentDirectory = "D:\\a\tb";
  RunLauncher();
  EXPECT_EQ(Fake().calls[1], "StartProgram REGEDIT.EXE|/s \"D:\\a\tb\\CONF\\TMPFILE.TXT\"|D:\\a\tb");
}

TEST_F(LauncherTest, LongestDirectoryIsUsedInFull) {
  std::string directory = "C:\\" + std::string(396, 'd');  // 399 characters, the field's limit
  Fake().currentDirectory = directory;
  RunLauncher();
  EXPECT_EQ(Fake().calls[1], "StartProgram REGEDIT.EXE|/s " + directory + "\\CONF\\TMPFILE.TXT|" + directory);

  Fake() = FakePlatform();
  directory = "C:\\Program Files\\" + std::string(382, 'd');
  ASSERT_EQ(directory.size(), 399u);
  Fake().currentDirectory = directory;
  RunLauncher();
  EXPECT_EQ(Fake().calls[1], "StartProgram REGEDIT.EXE|/s \"" + directory + "\\CONF\\TMPFILE.TXT\"|" + directory);
}

TEST_F(LauncherTest, FallsBackToTheCurrentDirectoryWhenTheDirectoryDoesNotFitOrCannotBeRead) {
  Fake().currentDirectory = "C:\\" + std::string(397, 'd');  // 400 characters: one too many
  RunLauncher();
  EXPECT_EQ(Fake().calls[1], "StartProgram REGEDIT.EXE|/s .\\CONF\\TMPFILE.TXT|.");

  Fake() = FakePlatform();
  Fake().currentDirectoryUnreadable = true;
  RunLauncher();
  EXPECT_EQ(Fake().calls[1], "StartProgram REGEDIT.EXE|/s .\\CONF\\TMPFILE.TXT|.");
}

TEST_F(LauncherTest, ImportAndFirstPauseHappenWhateverTheSettingsSay) {
  SetSetting(".\\KQgameplay.ini", "ExtSet", "check1", "1");
  SetSetting(".\\KQgameset.ini", "REGSET", "ROOT", "2");
  EXPECT_EQ(RunLauncher(), 0);
  EXPECT_EQ(CallsStartingWith("StartProgram REGEDIT.EXE").size(), 1u);
  EXPECT_EQ(Fake().calls[2], "Pause 1000");
}

}  // namespace
