#include "launcher/launcher.h"

#include <string>
#include <vector>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

const std::string kEditor = "C:\\Windows\\system32\\REGEDIT.EXE";

class LauncherTest : public PlatformTest {
 protected:
  // The start of the registry editor, without the rights it was given.
  static std::string Import() {
    const std::vector<std::string> starts = CallsStartingWith("StartRegistryEditor");
    return starts.empty() ? "none" : starts.front().substr(0, starts.front().rfind('|'));
  }
  // Those rights: "invoker" (the player's own) or "asking" (the editor's own request).
  static std::string Rights() {
    const std::vector<std::string> starts = CallsStartingWith("StartRegistryEditor");
    return starts.empty() ? "none" : starts.front().substr(starts.front().rfind('|') + 1);
  }
};

TEST_F(LauncherTest, StartsTheImportInTheWorkingDirectoryThenPauses) {
  Fake().currentDirectory = "C:\\Games\\Demo";
  EXPECT_EQ(RunLauncher(), 0);
  ASSERT_GE(Fake().calls.size(), 6u);
  EXPECT_EQ(Fake().calls[0], "ClaimCurrentDirectory");
  EXPECT_EQ(Fake().calls[1], "GetCurrentDirectory 400");
  EXPECT_EQ(Fake().calls[2], "GetSystemDirectory 260");
  EXPECT_EQ(Fake().calls[3], "IsFile C:\\Windows\\system32\\REGEDIT.EXE");
  EXPECT_EQ(Fake().calls[4], "StartRegistryEditor " + kEditor +
                                 "|/s C:\\Games\\Demo\\CONF\\TMPFILE.TXT|C:\\Games\\Demo|invoker");
  EXPECT_EQ(Fake().calls[5], "Pause 1000");
}

// The system's editor by its full path, never one the program search would find in the game folder first:
// the system directory's, else the Windows directory's; none when neither folder can be read.
TEST_F(LauncherTest, StartsTheSystemsRegistryEditorByItsFullPath) {
  Fake().files = {"C:\\Games\\Demo\\REGEDIT.EXE"};  // a 64-bit launcher sees none in system32
  RunLauncher();
  EXPECT_EQ(Import(),
            "StartRegistryEditor C:\\Windows\\REGEDIT.EXE|/s C:\\Games\\Demo\\CONF\\TMPFILE.TXT|C:\\Games\\Demo");

  Fake() = FakePlatform();
  Fake().systemDirectory = "C:\\" + std::string(257, 's');  // 260 characters: does not fit
  RunLauncher();
  EXPECT_TRUE(CallsStartingWith("IsFile").empty());
  EXPECT_EQ(Import(),
            "StartRegistryEditor C:\\Windows\\REGEDIT.EXE|/s C:\\Games\\Demo\\CONF\\TMPFILE.TXT|C:\\Games\\Demo");

  Fake() = FakePlatform();
  Fake().systemDirectory = "";
  Fake().windowsDirectory = "";
  EXPECT_EQ(RunLauncher(), 0);
  EXPECT_EQ(Import(), "none");
  EXPECT_EQ(CallsStartingWith("Pause").size(), 1u);
}

TEST_F(LauncherTest, QuotesTheScriptPathWhenTheDirectoryHoldsWhiteSpace) {
  Fake().currentDirectory = "C:\\Program Files\\Game";
  RunLauncher();
  EXPECT_EQ(Import(),
            "StartRegistryEditor " + kEditor +
                "|/s \"C:\\Program Files\\Game\\CONF\\TMPFILE.TXT\"|C:\\Program Files\\Game");

  Fake() = FakePlatform();
  Fake().currentDirectory = "D:\\a\tb";
  RunLauncher();
  EXPECT_EQ(Import(), "StartRegistryEditor " + kEditor + "|/s \"D:\\a\tb\\CONF\\TMPFILE.TXT\"|D:\\a\tb");
}

TEST_F(LauncherTest, LongestDirectoryIsUsedInFull) {
  std::string directory = "C:\\" + std::string(396, 'd');  // 399 characters, the field's limit
  Fake().currentDirectory = directory;
  RunLauncher();
  EXPECT_EQ(Import(), "StartRegistryEditor " + kEditor + "|/s " + directory + "\\CONF\\TMPFILE.TXT|" + directory);

  Fake() = FakePlatform();
  directory = "C:\\Program Files\\" + std::string(382, 'd');
  ASSERT_EQ(directory.size(), 399u);
  Fake().currentDirectory = directory;
  RunLauncher();
  EXPECT_EQ(Import(), "StartRegistryEditor " + kEditor + "|/s \"" + directory + "\\CONF\\TMPFILE.TXT\"|" + directory);
}

TEST_F(LauncherTest, FallsBackToTheCurrentDirectoryWhenTheDirectoryDoesNotFitOrCannotBeRead) {
  Fake().currentDirectory = "C:\\" + std::string(397, 'd');  // 400 characters: one too many
  RunLauncher();
  EXPECT_EQ(Import(), "StartRegistryEditor " + kEditor + "|/s .\\CONF\\TMPFILE.TXT|.");

  Fake() = FakePlatform();
  Fake().currentDirectoryUnreadable = true;
  RunLauncher();
  EXPECT_EQ(Import(), "StartRegistryEditor " + kEditor + "|/s .\\CONF\\TMPFILE.TXT|.");
}

// "????" is how the ANSI functions spell a folder named in a script the code page lacks.
TEST_F(LauncherTest, DirectoryTheCodePageCannotSpellGivesWayToItsShortFormOrToTheCurrentDirectory) {
  Fake().currentDirectory = "C:\\Games\\????";
  Fake().shortCurrentDirectory = "C:\\Games\\____~VQI";
  RunLauncher();
  EXPECT_EQ(Fake().calls[2], "GetShortCurrentDirectory 400");
  EXPECT_EQ(Import(),
            "StartRegistryEditor " + kEditor + "|/s C:\\Games\\____~VQI\\CONF\\TMPFILE.TXT|C:\\Games\\____~VQI");

  struct Case {
    const char *what;
    std::string shortForm;
    bool unspelled;
  };
  for (const Case &c :
       {Case{"no short form", "", false}, Case{"a short form of 400 characters", "C:\\" + std::string(397, 's'), false},
        Case{"a short form the code page cannot spell either", "C:\\Games\\????", true}}) {
    Fake() = FakePlatform();
    Fake().currentDirectory = "C:\\Games\\????";
    Fake().shortCurrentDirectory = c.shortForm;
    Fake().shortCurrentDirectoryUnspelled = c.unspelled;
    RunLauncher();
    EXPECT_EQ(Import(), "StartRegistryEditor " + kEditor + "|/s .\\CONF\\TMPFILE.TXT|.") << c.what;
  }
}

TEST_F(LauncherTest, ImportAndFirstPauseHappenWhateverTheSettingsSay) {
  SetSetting(".\\KQgameplay.ini", "ExtSet", "check1", "1");
  SetSetting(".\\KQgameset.ini", "REGSET", "ROOT", "2");
  EXPECT_EQ(RunLauncher(), 0);
  EXPECT_EQ(CallsStartingWith("StartRegistryEditor " + kEditor).size(), 1u);
  EXPECT_EQ(Fake().calls[5], "Pause 1000");
}

// The road of a typical run, from the registry import to the deleted detection file.
TEST_F(LauncherTest, TypicalRunRecordsTheConfiguredSizeAndStartsTheGameWithOpenGl) {
  SetSetting(".\\KQgameplay.ini", "ExtSet", "check1", "1");
  SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "1");
  SetSetting(".\\KQgameset.ini", "BV", "qnoresX", "1024");
  SetSetting(".\\KQgameset.ini", "BV", "qnoresY", "768");
  SetSetting(".\\KQgameset.ini", "REGSET", "ROOT", "2");
  SetSetting(".\\KQgameset.ini", "REGSET", "SUBKEY", "Software\\Example\\Video");
  SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEX", "Width");
  SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEY", "Height");
  SetSetting(".\\KQgameset.ini", "REGSET", "VALUETYPE", "1");
  SetSetting(".\\KQgameset.ini", "game", "GameExecPath", "bin");
  SetSetting(".\\KQgameset.ini", "game", "GameExec", "demo.exe");
  SetSetting(".\\KQgameset.ini", "game", "Para", "-window");
  SetSetting("C:\\Games\\Demo\\20123110.ini", "last", "VENID", "0x10DE");
  Fake().files.insert("C:\\Games\\Demo\\bin\\demo.exe");
  Fake().contents["C:\\Games\\Demo\\bin\\demo.exe"] = ProgramImage();

  EXPECT_EQ(RunLauncher(), 0);

  auto effects = [] {
    std::vector<std::string> effects;
    for (const std::string &call : Fake().calls) {
      if (call.rfind("Read", 0) != 0 && call.rfind("Get", 0) != 0 && call.rfind("Is", 0) != 0) {
        effects.push_back(call);
      }
    }
    return effects;
  };
  EXPECT_EQ(effects(), (std::vector<std::string>{
                         "ClaimCurrentDirectory",
                         "StartRegistryEditor " + kEditor +
                             "|/s C:\\Games\\Demo\\CONF\\TMPFILE.TXT|C:\\Games\\Demo|invoker",
                         "Pause 1000",
                         "CreateRegistryKey HKCU\\Software\\Example\\Video",
                         "SetRegistryValue HKCU\\Software\\Example\\Video|Width|4|4",
                         "SetRegistryValue HKCU\\Software\\Example\\Video|Height|4|4",
                         "Pause 1000",
                         "StartProgram C:\\Games\\Demo\\bin\\demo.exe|-opengl|C:\\Games\\Demo\\bin",
                         "DeleteFile C:\\Games\\Demo\\20123110.ini",
                     }));
  ASSERT_EQ(Fake().registryWrites.size(), 2u);
  EXPECT_EQ(Fake().registryWrites[0].data, (std::vector<unsigned char>{0x00, 0x04, 0x00, 0x00}));
  EXPECT_EQ(Fake().registryWrites[1].data, (std::vector<unsigned char>{0x00, 0x03, 0x00, 0x00}));

  // The game gone: the detection file is removed as ever and the folder let go before the player is told,
  // and the run ends with 0.
  Fake().calls.clear();
  Fake().files.erase("C:\\Games\\Demo\\bin\\demo.exe");
  EXPECT_EQ(RunLauncher(), 0);
  const std::vector<std::string> tail = effects();
  EXPECT_EQ(std::vector<std::string>(tail.end() - 4, tail.end()),
            (std::vector<std::string>{"Pause 1000", "DeleteFile C:\\Games\\Demo\\20123110.ini",
                                      "ReleaseCurrentDirectory", "ShowStartFailure bin\\demo.exe|2"}));
}

// The reading of the script decides the editor's rights (its own tests hold the cases): the player's own
// for a script below HKEY_CURRENT_USER, the editor's request for anything else or a script it cannot read.
TEST_F(LauncherTest, GivesTheEditorTheRightsTheScriptNeeds) {
  const std::string script = "C:\\Games\\Demo\\CONF\\TMPFILE.TXT";
  Fake().contents[script] = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Demo]\r\n";
  RunLauncher();
  EXPECT_EQ(Rights(), "invoker");

  Fake() = FakePlatform();
  Fake().contents[script] = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Demo]\r\n[HKEY_LOCAL_MACHINE\\Software\\Demo]\r\n";
  RunLauncher();
  EXPECT_EQ(Rights(), "asking");

  Fake() = FakePlatform();
  Fake().unreadable = {script};
  RunLauncher();
  EXPECT_EQ(Rights(), "asking");
}

// A second launcher in the folder while the first runs does nothing at all, not even read its folder.
TEST_F(LauncherTest, EndsAtOnceWhileAnotherLauncherHoldsTheFolder) {
  Fake().directoryHeld = true;
  EXPECT_EQ(RunLauncher(), 0);
  EXPECT_EQ(Fake().calls, std::vector<std::string>{"ClaimCurrentDirectory"});
}

TEST_F(LauncherTest, IncompleteTargetEndsTheRunAfterTheReport) {
  SetSetting(".\\KQgameset.ini", "REGSET", "ROOT", "2");
  SetSetting(".\\KQgameset.ini", "REGSET", "SUBKEY", "Software\\Example");
  SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEX", "Width");
  SetSetting(".\\KQgameset.ini", "game", "GameExec", "demo.exe");
  SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "2");

  EXPECT_EQ(RunLauncher(), 0);

  EXPECT_EQ(Fake().messages,
            (std::vector<std::string>{
                " ROOT = 2\n SUBKEY = Software\\Example \n VALUENAMEX = Width \n VALUENAMEY =  \n VALUETYPE = 0"}));
  // The folder is let go first: a player who mends the settings while the report is up starts the game.
  EXPECT_EQ(std::vector<std::string>(Fake().calls.end() - 2, Fake().calls.end()),
            (std::vector<std::string>{"ReleaseCurrentDirectory", "ShowMessage"}));
  EXPECT_TRUE(CallsStartingWith("CreateRegistryKey").empty());
  EXPECT_EQ(CallsStartingWith("Pause").size(), 1u);
  EXPECT_EQ(CallsStartingWith("StartRegistryEditor").size(), 1u);
  EXPECT_TRUE(CallsStartingWith("StartProgram").empty());
  EXPECT_TRUE(CallsStartingWith("ReadProfileString .\\KQgameset.ini|game").empty());
  EXPECT_TRUE(CallsStartingWith("ReadLocalDate").empty());
}

}  // namespace
}  // namespace launcher
