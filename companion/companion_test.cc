#include "companion/companion.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/graphics_mode.h"
#include "settings/settings.h"
#include "tests/companion_platform_fake.h"

namespace launcher {
namespace {

using Calls = std::vector<std::string>;

class CompanionTest : public CompanionPlatformTest {
 protected:
  // Started in a game folder unless a case says otherwise.
  void SetUp() override {
    CompanionPlatformTest::SetUp();
    Fake().files.insert(kGameSettingsFile);
  }
  static void Adapter(const std::string &deviceId) { CompanionFake().primaryDeviceId = deviceId; }
};

// The launcher is started last, once the file is written: it reads the file a moment later.
TEST_F(CompanionTest, WritesTheVendorIntoTodaysFileInTheWorkingDirectoryThenStartsTheLauncher) {
  EXPECT_EQ(RunCompanion(), 0);
  EXPECT_EQ(Fake().calls, (Calls{"ReadPrimaryDisplayDeviceId", "IsFile .\\KQgameset.ini", "GetCurrentDirectory 400",
                                 "ReadLocalDate",
                                 "WriteProfileString C:\\Games\\Demo\\20123110.ini|last|VENID|0x10DE",
                                 "StartLauncher"}));
}

TEST_F(CompanionTest, NamesTheFileByTheDateAndWritesTheDigitsInUpperCase) {
  Fake().date = {2012, 3, 5};
  Fake().currentDirectory = "D:\\Spiele\\Demo";
  Adapter("PCI\\VEN_15ad&DEV_0405&SUBSYS_040515AD&REV_00");
  RunCompanion();
  EXPECT_EQ(CallsStartingWith("WriteProfileString"),
            (Calls{"WriteProfileString D:\\Spiele\\Demo\\201253.ini|last|VENID|0x15AD"}));
}

TEST_F(CompanionTest, StaysInTheCurrentDirectoryWhenItsNameCannotBeReadAndTakesItsShortFormWhenUnspelled) {
  Fake().currentDirectoryUnreadable = true;
  RunCompanion();
  Fake().currentDirectoryUnreadable = false;
  Fake().currentDirectory = "C:\\" + std::string(400, 'd');  // longer than the launcher takes
  RunCompanion();
  // A name the code page cannot spell: its short form, as the launcher takes it.
  Fake().currentDirectory = "C:\\Games\\????";
  Fake().shortCurrentDirectory = "C:\\Games\\____~VQI";
  RunCompanion();
  EXPECT_EQ(CallsStartingWith("WriteProfileString"),
            (Calls{"WriteProfileString .\\20123110.ini|last|VENID|0x10DE",
                   "WriteProfileString .\\20123110.ini|last|VENID|0x10DE",
                   "WriteProfileString C:\\Games\\____~VQI\\20123110.ini|last|VENID|0x10DE"}));
}

// The launcher then keeps Para; it is started all the same.
TEST_F(CompanionTest, WritesNothingButStartsTheLauncherWhenTheAdapterNamesNoPciVendor) {
  for (const char *id : {"", "ROOT\\BasicDisplay\\0000", "PCI\\DEV_1C82", "PCI\\VEN_10D"}) {
    Fake().calls.clear();
    Adapter(id);
    EXPECT_EQ(RunCompanion(), 0) << id;
    EXPECT_EQ(Fake().calls, (Calls{"ReadPrimaryDisplayDeviceId", "StartLauncher"})) << id;
  }
}

// A shortcut without "Start in" leaves the companion in a profile or the system's folder: no file of the
// game goes there, not even beside a play settings file alone. The launcher, started all the same, then
// reports its empty settings.
TEST_F(CompanionTest, WritesNothingButStartsTheLauncherInAFolderWithoutTheGameSettingsFile) {
  for (const std::set<std::string> &files : {std::set<std::string>{}, std::set<std::string>{kPlaySettingsFile}}) {
    Fake().calls.clear();
    Fake().files = files;
    EXPECT_EQ(RunCompanion(), 0);
    EXPECT_EQ(Fake().calls, (Calls{"ReadPrimaryDisplayDeviceId", "IsFile .\\KQgameset.ini", "StartLauncher"}));
  }
}

// A launcher.exe the player set to run as an administrator: CreateProcessW refuses it. The companion then
// takes back the file it wrote (which the elevated launcher would not read where a virtualized companion
// wrote it) and starts itself again elevated, through the shell's consent prompt (Windows' only, not
// Wine's); the elevated companion writes the file where the launcher reads and starts it. A failure of that
// start is said, but not the player's own "No". An elevated companion never starts itself again, and any
// other failure (no launcher.exe beside the companion) starts nothing more.
TEST_F(CompanionTest, StartsItselfElevatedOnlyWhenTheLauncherMustRunElevatedAndSaysWhyNot) {
  const std::string kDelete = "DeleteFile C:\\Games\\Demo\\20123110.ini";
  struct Case {
    unsigned long startError;
    bool elevated;
    unsigned long restartError;
    const char *adapter;
    Calls after;  // from the launcher's start on
  };
  const Case cases[] = {
      {740, false, 0, "PCI\\VEN_10DE&DEV_1C82", {"StartLauncher", "RunsElevated", kDelete, "RestartElevated"}},
      // ERROR_CANCELLED: the player declined the prompt.
      {740, false, 1223, "PCI\\VEN_10DE&DEV_1C82", {"StartLauncher", "RunsElevated", kDelete, "RestartElevated"}},
      // ERROR_PATH_NOT_FOUND, as for a drive that the elevated program does not see.
      {740, false, 3, "PCI\\VEN_10DE&DEV_1C82",
       {"StartLauncher", "RunsElevated", kDelete, "RestartElevated", "ShowStartFailure 3"}},
      // No file written: none to take back.
      {740, false, 0, "ROOT\\BasicDisplay\\0000", {"StartLauncher", "RunsElevated", "RestartElevated"}},
      {740, true, 0, "PCI\\VEN_10DE&DEV_1C82", {"StartLauncher", "RunsElevated"}},
      {2, false, 0, "PCI\\VEN_10DE&DEV_1C82", {"StartLauncher"}},  // ERROR_FILE_NOT_FOUND
      {0, false, 0, "PCI\\VEN_10DE&DEV_1C82", {"StartLauncher"}},
  };
  for (const Case &c : cases) {
    const std::string name = std::to_string(c.startError) + (c.elevated ? " elevated " : " ") +
                             std::to_string(c.restartError) + " " + c.adapter;
    Fake().calls.clear();
    Adapter(c.adapter);
    CompanionFake().startLauncherError = c.startError;
    CompanionFake().runsElevated = c.elevated;
    CompanionFake().restartError = c.restartError;
    EXPECT_EQ(RunCompanion(), 0) << name;
    const auto start = std::find(Fake().calls.begin(), Fake().calls.end(), "StartLauncher");
    EXPECT_EQ(Calls(start, Fake().calls.end()), c.after) << name;
  }
}

// The launcher's automatic mode, run on the same day and in the same directory, reads what the companion
// wrote: "-opengl" for the NVIDIA vendor only, whatever the case of the adapter's identifier.
TEST_F(CompanionTest, LauncherReadsWhatTheCompanionWrote) {
  SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "1");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"PCI\\VEN_10DE&DEV_1C82&SUBSYS_11BF1458&REV_A1", "-opengl"},
      {"PCI\\VEN_10de&DEV_1c82", "-opengl"},
      {"PCI\\VEN_1002&DEV_67DF", "-window"},
      {"PCI\\VEN_8086&DEV_5912", "-window"},
  };
  for (const auto &[id, expected] : cases) {
    Fake().profile.erase({"C:\\Games\\Demo\\20123110.ini", "last", "VENID"});
    Adapter(id);
    RunCompanion();
    GameParameters parameters = TextOf<kGameTextCapacity>("-window");
    const DetectionFilePath detectionFile =
        ChooseGameParameters(DirectoryOf("C:\\Games\\Demo"), parameters).detectionFile;
    EXPECT_EQ(View(parameters), expected) << id;
    EXPECT_EQ(View(detectionFile), "C:\\Games\\Demo\\20123110.ini") << id;
  }
}

}  // namespace
}  // namespace launcher
