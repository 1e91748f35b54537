#include <gtest/gtest.h>

#include <string>

#include "preview/preview.h"
#include "tests/platform_fake.h"
#include "tests/preview_fake.h"

namespace launcher {
namespace {

const std::string kScript = "C:\\Games\\Demo\\CONF\\TMPFILE.TXT";
const std::string kTodaysFile = "C:\\Games\\Demo\\20123110.ini";  // the double's date: 31 October 2012

class PreviewTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    Answers() = PreviewAnswers();
    Fake().files.insert({kScript, "C:\\Games\\Demo\\bin\\demo.exe", kTodaysFile, ".\\KQgameplay.ini",
                         ".\\KQgameset.ini"});
    Fake().contents[kScript] = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Example]\r\n\"Ready\"=dword:00000001\r\n";
    Fake().contents["C:\\Games\\Demo\\bin\\demo.exe"] = ProgramImage();
    SetSetting(".\\KQgameplay.ini", "ExtSet", "check1", "1");
    SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "1");
    SetSetting(".\\KQgameset.ini", "BV", "qnoresX", "1024");
    SetSetting(".\\KQgameset.ini", "REGSET", "SUBKEY", "Software\\Example\\Video");
    SetSetting(".\\KQgameset.ini", "REGSET", "ROOT", "2");
    SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEX", "Width");
    SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEY", "Height");
    SetSetting(".\\KQgameset.ini", "REGSET", "VALUETYPE", "2");
    SetSetting(".\\KQgameset.ini", "game", "GameExecPath", "bin");
    SetSetting(".\\KQgameset.ini", "game", "GameExec", "demo.exe");
    SetSetting(".\\KQgameset.ini", "game", "Para", "-window");
    SetSetting(kTodaysFile, "last", "VENID", "0x10DE");
  }
  // The preview's output from the line that begins so on, up to the verdict.
  static std::string From(const std::string &start) {
    const std::string &output = Answers().output;
    const std::size_t at = output.find(start);
    return at == std::string::npos ? "(not printed: " + start + ")\n" + output : output.substr(at);
  }
  // The double's calls that would change something outside the preview.
  static std::size_t Effects() {
    std::size_t count = 0;
    for (const char *effect : {"Claim", "Release", "Pause", "CreateRegistryKey", "SetRegistryValue", "StartProgram",
                               "StartRegistryEditor", "ShowStartFailure", "DeleteFile", "ShowMessage"}) {
      count += CallsStartingWith(effect).size();
    }
    return count;
  }
};

// The launcher's decisions in the run's order, as its stages return them, and nothing carried out.
TEST_F(PreviewTest, PrintsTheLaunchersDecisionsInTheRunsOrderAndCarriesOutNone) {
  EXPECT_EQ(preview::PreviewRun(), 0);
  EXPECT_EQ(Effects(), 0u);
  EXPECT_EQ(Answers().output.rfind("current directory: C:\\Games\\Demo\nsettings file .\\KQgameplay.ini: present\n", 0),
            0u);
  EXPECT_EQ(From("would start the registry import: "),
            "would start the registry import: C:\\Windows\\system32\\REGEDIT.EXE\n"
            "  parameters: /s C:\\Games\\Demo\\CONF\\TMPFILE.TXT\n"
            "  in: C:\\Games\\Demo\n"
            "  registry script C:\\Games\\Demo\\CONF\\TMPFILE.TXT: present\n"
            "  with the player's own rights: Windows asks for no consent\n"
            "pause: 1000 ms (not taken)\n"
            "screen: 1920 x 1080\n"
            "resolution: 1024 x 800 (qnoresX x qnoresY, as check1 is set)\n"
            "would open the registry key HKEY_CURRENT_USER\\Software\\Example\\Video (created when absent)\n"
            "would write the value Width: REG_SZ, 10 bytes 31 30 32 34 00 00 00 00 00 00 = \"1024\"\n"
            "would write the value Height: REG_SZ, 10 bytes 38 30 30 00 00 00 00 00 00 00 = \"800\"\n"
            "pause: 1000 ms (not taken)\n"
            "graphics mode: radiostate 1 (automatic)\n"
            "setting: C:\\Games\\Demo\\20123110.ini [last] VENID = \"0x10DE\"\n"
            "would start the game: C:\\Games\\Demo\\bin\\demo.exe\n"
            "  parameters: -opengl\n"
            "  in: C:\\Games\\Demo\\bin\n"
            "  game file: present\n"
            "would remove the detection file C:\\Games\\Demo\\20123110.ini (present)\n"
            "result: the script would be imported, the resolution recorded and the game started\n");
}

TEST_F(PreviewTest, IncompleteRegistrySettingsPrintTheReportAndEndTheRun) {
  Fake().profile.erase({".\\KQgameset.ini", "REGSET", "VALUENAMEX"});
  Fake().files.erase(kScript);
  Fake().contents.erase(kScript);
  EXPECT_EQ(preview::PreviewRun(), 1);
  EXPECT_EQ(Effects(), 0u);
  EXPECT_NE(Answers().output.find("  registry script C:\\Games\\Demo\\CONF\\TMPFILE.TXT: MISSING\n"), std::string::npos);
  EXPECT_EQ(From("would show the configuration report"),
            "would show the configuration report (REGSET is incomplete; the run ends here):\n"
            "  | ROOT = 2\n"
            "  | SUBKEY = Software\\Example\\Video \n"
            "  | VALUENAMEX =  \n"
            "  | VALUENAMEY = Height \n"
            "  | VALUETYPE = 2\n"
            "result: the registry script is missing: C:\\Games\\Demo\\CONF\\TMPFILE.TXT\n"
            "result: the configuration report, and no game start\n");
}

// A name the registry or the file system matches, beyond ASCII, works for the publisher's code page only;
// a script's rights and a game that cannot start come from the launcher's own decisions.
TEST_F(PreviewTest, TheVerdictTakesTheDecisionsAndTheCodePageAsTheyAre) {
  SetSetting(".\\KQgameset.ini", "REGSET", "SUBKEY", "Software\\Caf\xe9 Studio");
  EXPECT_EQ(preview::PreviewRun(), 2);
  EXPECT_NE(Answers().output.find("result: not for every player: SUBKEY holds characters beyond ASCII"),
            std::string::npos)
      << Answers().output;

  SetUp();
  Fake().contents[kScript] = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Caf\xe9]\r\n";
  EXPECT_EQ(preview::PreviewRun(), 2);
  EXPECT_NE(Answers().output.find("result: not for every player: a key or value name of the registry script holds "
                                  "characters beyond ASCII"),
            std::string::npos)
      << Answers().output;

  SetUp();
  Fake().contents[kScript] = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Example]\r\n";
  EXPECT_EQ(preview::PreviewRun(), 2);
  EXPECT_NE(Answers().output.find("warning: the registry script writes below HKEY_LOCAL_MACHINE;"), std::string::npos);

  SetUp();
  Fake().files.erase("C:\\Games\\Demo\\bin\\demo.exe");
  EXPECT_EQ(preview::PreviewRun(), 1);
  EXPECT_EQ(From("  game file: "), "  game file: MISSING\n"
                                   "would remove the detection file C:\\Games\\Demo\\20123110.ini (present)\n"
                                   "result: the game file is missing: C:\\Games\\Demo\\bin\\demo.exe\n");

  // A document is started all the same, but the player would not meet the game; a name without its
  // extension is printed as the launcher completes it.
  SetUp();
  SetSetting(".\\KQgameset.ini", "game", "GameExec", "readme.txt");
  Fake().files.insert("C:\\Games\\Demo\\bin\\readme.txt");
  EXPECT_EQ(preview::PreviewRun(), 1);
  EXPECT_NE(Answers().output.find("  game file: a document: the shell would open it with its type's program\n"),
            std::string::npos);
  // In a folder whose name the code page cannot spell, the launcher's spelling of it, its short form, is
  // the one the game's file is judged and named by.
  SetUp();
  Fake().currentDirectory = "C:\\Games\\D?mo";
  Fake().shortCurrentDirectory = "C:\\Games\\DMO~1";
  Fake().files.insert("C:\\Games\\DMO~1\\bin\\demo.exe");
  Fake().contents["C:\\Games\\DMO~1\\bin\\demo.exe"] = "MZ";
  EXPECT_EQ(preview::PreviewRun(), 1);
  EXPECT_NE(Answers().output.find("result: the game file is not a program, and Windows refuses to run it: "
                                  "C:\\Games\\DMO~1\\bin\\demo.exe\n"),
            std::string::npos)
      << Answers().output;
  SetUp();
  SetSetting(".\\KQgameset.ini", "game", "GameExec", "demo");
  EXPECT_EQ(preview::PreviewRun(), 0);
  EXPECT_NE(Answers().output.find("would start the game: C:\\Games\\Demo\\bin\\demo.exe\n"), std::string::npos);
}

// In the automatic mode, before the companion has written today's file: what it would write, from the
// display adapter as it reads it, and what the game would then get.
TEST_F(PreviewTest, TheAutomaticModeSaysWhatTheCompanionWouldWrite) {
  const struct {
    std::string deviceId;
    std::string line;
  } cases[] = {
      {"PCI\\VEN_10de&DEV_1C82&SUBSYS_1", "  no detection file today: companion.exe would write VENID = 0x10DE into "
                                          "it, from the primary display adapter (\"PCI\\VEN_10de&DEV_1C82&SUBSYS_1\"); "
                                          "the game would then get -opengl in place of Para\n"},
      {"ROOT\\BASICDISPLAY", "  no detection file today: companion.exe would write none, as the primary display "
                             "adapter (\"ROOT\\BASICDISPLAY\") names no PCI vendor; the game gets Para\n"},
  };
  for (const auto &c : cases) {
    SetUp();
    Fake().files.erase(kTodaysFile);
    Fake().profile.erase({kTodaysFile, "last", "VENID"});
    Answers().displayDeviceId = c.deviceId;
    EXPECT_EQ(preview::PreviewRun(), 0);
    EXPECT_NE(Answers().output.find("setting: " + kTodaysFile + " [last] VENID = \"\" (absent)\n" + c.line +
                                    "would start the game: "),
              std::string::npos)
        << Answers().output;
  }
}

// A control byte in a value read reaches the console nowhere in the run, escaped by the printer.
TEST_F(PreviewTest, NoLineOfTheRunSendsAControlByteOfWhatItRead) {
  Fake().currentDirectory = "C:\\Games\\\x1b]0;x\x07" "D\xb5mo";
  SetSetting(".\\KQgameset.ini", "game", "Para", "-window\rresult: the script would be imported\x7f\x1b[2K");
  SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "3");
  preview::PreviewRun();
  const std::string &output = Answers().output;
  EXPECT_NE(output.find("current directory: C:\\Games\\\\x1b]0;x\\x07D\xb5mo\n"), std::string::npos) << output;
  EXPECT_NE(output.find("  parameters: -window\\x0dresult: the script would be imported\\x7f\\x1b[2K\n"),
            std::string::npos)
      << output;
  for (const char c : output) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE((byte >= 0x20 && byte != 0x7f) || c == '\n') << "a raw control byte " << static_cast<int>(byte);
  }
}

}  // namespace
}  // namespace launcher
