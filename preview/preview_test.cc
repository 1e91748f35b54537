#include <gtest/gtest.h>

#include <string>

#include "launcher/launcher.h"
#include "platform/preview.h"
#include "tests/preview_fake.h"

namespace launcher {
namespace {

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Answers() = PreviewAnswers();
    Answers().files = {"C:\\Windows\\system32\\REGEDIT.EXE", "C:\\Games\\Demo\\CONF\\TMPFILE.TXT",
                       "C:\\Games\\Demo\\bin\\demo.exe", "C:\\Games\\Demo\\20123110.ini"};
  }
  static void Set(const std::string &file, const std::string &section, const std::string &key,
                  const std::string &value) {
    Answers().profile[{file, section, key}] = value;
  }
  static void CompleteSettings() {
    Set(".\\KQgameplay.ini", "ExtSet", "check1", "1");
    Set(".\\KQgameplay.ini", "ExtSet", "radiostate", "1");
    Set(".\\KQgameset.ini", "BV", "qnoresX", "1024");
    Set(".\\KQgameset.ini", "REGSET", "SUBKEY", "Software\\Example\\Video");
    Set(".\\KQgameset.ini", "REGSET", "ROOT", "2");
    Set(".\\KQgameset.ini", "REGSET", "VALUENAMEX", "Width");
    Set(".\\KQgameset.ini", "REGSET", "VALUENAMEY", "Height");
    Set(".\\KQgameset.ini", "REGSET", "VALUETYPE", "2");
    Set(".\\KQgameset.ini", "game", "GameExecPath", "bin");
    Set(".\\KQgameset.ini", "game", "GameExec", "demo.exe");
    Set(".\\KQgameset.ini", "game", "Para", "-window");
    Set("C:\\Games\\Demo\\20123110.ini", "last", "VENID", "0x10DE");
  }
};

TEST_F(PreviewTest, CompleteFolderPrintsTheRunInOrderAndExitsZero) {
  CompleteSettings();
  RunLauncher();
  EXPECT_EQ(preview::Verdict(), 0);
  EXPECT_EQ(Answers().output,
            "current directory: C:\\Games\\Demo\n"
            "would start the registry import: C:\\Windows\\system32\\REGEDIT.EXE\n"
            "  parameters: /s C:\\Games\\Demo\\CONF\\TMPFILE.TXT\n"
            "  in: C:\\Games\\Demo\n"
            "  registry script C:\\Games\\Demo\\CONF\\TMPFILE.TXT: present\n"
            "pause: 1000 ms (not taken)\n"
            "screen: 1600 x 900\n"
            "setting: .\\KQgameplay.ini [ExtSet] check1 = 1 (present)\n"
            "setting: .\\KQgameset.ini [BV] qnoresX = 1024 (present)\n"
            "setting: .\\KQgameset.ini [BV] qnoresY = 800 (absent: the default)\n"
            "setting: .\\KQgameset.ini [REGSET] SUBKEY = \"Software\\Example\\Video\" (present)\n"
            "setting: .\\KQgameset.ini [REGSET] ROOT = 2 (present)\n"
            "setting: .\\KQgameset.ini [REGSET] VALUENAMEX = \"Width\" (present)\n"
            "setting: .\\KQgameset.ini [REGSET] VALUENAMEY = \"Height\" (present)\n"
            "setting: .\\KQgameset.ini [REGSET] VALUETYPE = 2 (present)\n"
            "would open the registry key HKEY_CURRENT_USER\\Software\\Example\\Video (created when absent)\n"
            "would write the value Width: REG_SZ, 10 bytes 31 30 32 34 00 00 00 00 00 00 = \"1024\"\n"
            "would write the value Height: REG_SZ, 10 bytes 38 30 30 00 00 00 00 00 00 00 = \"800\"\n"
            "pause: 1000 ms (not taken)\n"
            "setting: .\\KQgameset.ini [game] GameExec = \"demo.exe\" (present)\n"
            "setting: .\\KQgameset.ini [game] GameExecPath = \"bin\" (present)\n"
            "setting: .\\KQgameset.ini [game] Para = \"-window\" (present)\n"
            "setting: .\\KQgameplay.ini [ExtSet] radiostate = 1 (present)\n"
            "local date: 2012-10-31\n"
            "setting: C:\\Games\\Demo\\20123110.ini [last] VENID = \"0x10DE\" (present)\n"
            "would start the game: C:\\Games\\Demo\\bin\\demo.exe\n"
            "  parameters: -opengl\n"
            "  in: C:\\Games\\Demo\\bin\n"
            "  game file: present\n"
            "would remove the detection file C:\\Games\\Demo\\20123110.ini (present)\n"
            "result: the script would be imported and the game started\n");
}

TEST_F(PreviewTest, IncompleteFolderPrintsTheReportAndExitsOne) {
  Set(".\\KQgameset.ini", "REGSET", "ROOT", "2");
  Set(".\\KQgameset.ini", "REGSET", "SUBKEY", "Software\\Example");
  Answers().files.erase("C:\\Games\\Demo\\CONF\\TMPFILE.TXT");
  RunLauncher();
  EXPECT_EQ(preview::Verdict(), 1);
  const std::string &output = Answers().output;
  EXPECT_NE(output.find("  registry script C:\\Games\\Demo\\CONF\\TMPFILE.TXT: MISSING\n"), std::string::npos);
  EXPECT_NE(output.find("would show the configuration report (REGSET is incomplete; the run ends here):\n"
                        "  | ROOT = 2\n"
                        "  | SUBKEY = Software\\Example \n"
                        "  | VALUENAMEX =  \n"
                        "  | VALUENAMEY =  \n"
                        "  | VALUETYPE = 0\n"
                        "result: the configuration report, and no game start\n"
                        "result: the registry script is missing: C:\\Games\\Demo\\CONF\\TMPFILE.TXT\n"),
            std::string::npos)
      << output;
  EXPECT_EQ(output.find("would start the game"), std::string::npos);
}

}  // namespace
}  // namespace launcher
