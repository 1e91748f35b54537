#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/game_path.h"
#include "launcher/launcher.h"
#include "platform/platform.h"
#include "preview/preview.h"
#include "tests/preview_fake.h"

namespace launcher {
namespace {

const std::string kScript = "C:\\Games\\Demo\\CONF\\TMPFILE.TXT";

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Answers() = PreviewAnswers();
    Answers().files = {"C:\\Windows\\system32\\REGEDIT.EXE", "C:\\Games\\Demo\\CONF\\TMPFILE.TXT",
                       "C:\\Games\\Demo\\bin\\demo.exe", "C:\\Games\\Demo\\20123110.ini"};
    SetScript("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Example]\r\n\"Ready\"=dword:00000001\r\n");
  }
  static void SetScript(const std::string &content) { Answers().contents[kScript] = content; }
  // The text in UTF-16LE after its byte-order mark, as the registry editor writes version 5 scripts.
  static std::string Utf16(const std::string &text) {
    std::string wide = "\xFF\xFE";
    for (const char c : text) wide += {c, '\0'};
    return wide;
  }
  static std::string Warnings() { return Lines("warning: "); }
  // Every line of the output that begins so.
  static std::string Lines(const std::string &start) {
    std::string lines;
    for (std::size_t at = Answers().output.find(start); at != std::string::npos;
         at = Answers().output.find(start, at + 1)) {
      if (at != 0 && Answers().output[at - 1] != '\n') continue;
      lines += Answers().output.substr(at, Answers().output.find('\n', at) - at + 1);
    }
    return lines;
  }
  static void Set(const std::string &file, const std::string &section, const std::string &key,
                  const std::string &value) {
    Answers().profile[{file, section, key}] = value;
    Answers().files.insert(file);
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
            "  with the player's own rights: Windows asks for no consent\n"
            "pause: 1000 ms (not taken)\n"
            "screen: 1600 x 900\n"
            "settings file .\\KQgameplay.ini: present\n"
            "setting: .\\KQgameplay.ini [ExtSet] check1 = 1 (present)\n"
            "settings file .\\KQgameset.ini: present\n"
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
            "result: the script would be imported, the resolution recorded and the game started\n");
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
                        "result: the registry script is missing: C:\\Games\\Demo\\CONF\\TMPFILE.TXT\n"
                        "result: the configuration report, and no game start\n"),
            std::string::npos)
      << output;
  EXPECT_EQ(output.find("would start the game"), std::string::npos);
}

// The run hands the verdict its facts as the launcher's own decisions and the preview's reads find them,
// each with its own line in the run: the codes as the record takes them, what Windows does not read, the
// game's path as the launcher judges it.
TEST_F(PreviewTest, TheRunHandsTheVerdictItsFacts) {
  const std::string longFolder = "C:\\" + std::string(242, 'd');  // 245 characters
  struct Case {
    const char *what;
    std::function<void()> change;
    std::string results;  // every "result:" line
    std::string line;     // one line of the run
  } cases[] = {
      {"ROOT = 3, and VALUETYPE = 65539",
       [] {
         Set(".\\KQgameset.ini", "REGSET", "ROOT", "3");
         Set(".\\KQgameset.ini", "REGSET", "VALUETYPE", "65539");
       },
       "result: ROOT is 3, neither 1 nor 2: no resolution is recorded\n"
       "result: VALUETYPE is 3, neither 1 nor 2: no resolution is recorded\n",
       "setting: .\\KQgameset.ini [REGSET] ROOT = 3 (present)\n"
       "would record no resolution: ROOT is 3, neither 1 (HKEY_LOCAL_MACHINE) nor 2 (HKEY_CURRENT_USER)\n"},
      {"a UTF-8 byte-order mark before [REGSET], which Wine would read",
       [] { Answers().contents[".\\KQgameset.ini"] = "\xEF\xBB\xBF[REGSET]\r\nROOT=2\r\n[BV]\r\n"; },
       "result: .\\KQgameset.ini begins with a UTF-8 byte-order mark: Windows loses its first section, [REGSET]\n"
       "result: the configuration report, and no game start\n",
       "setting: .\\KQgameset.ini [REGSET] ROOT = 0 (not read on Windows: the default)\n"},
      {"a folder of 245 characters: the script and KQgameplay.ini are past MAX_PATH, the game is not",
       [&longFolder] {
         Answers().currentDirectory = longFolder;
         Answers().files = {"C:\\Windows\\system32\\REGEDIT.EXE", longFolder + "\\CONF\\TMPFILE.TXT",
                            longFolder + "\\bin\\demo.exe", ".\\KQgameset.ini", ".\\KQgameplay.ini"};
         Answers().contents[longFolder + "\\CONF\\TMPFILE.TXT"] = "REGEDIT4\r\n";
       },
       "result: the registry script's path is 262 characters long, more than the 259 Windows opens without "
       "long-path support: " + longFolder + "\\CONF\\TMPFILE.TXT\n"
       "result: .\\KQgameplay.ini is 260 characters long with the current directory, more than the 259 Windows "
       "opens without long-path support: every key in it takes its default\n",
       "setting: .\\KQgameplay.ini [ExtSet] check1 = 0 (not read on Windows: the default)\n"},
      {"no KQgameplay.ini at all, as a publisher may intend",
       [] {
         for (const char *key : {"check1", "radiostate"}) Answers().profile.erase({".\\KQgameplay.ini", "ExtSet", key});
         Answers().files.erase(".\\KQgameplay.ini");
       },
       "result: the script would be imported, the resolution recorded and the game started\n",
       "settings file .\\KQgameplay.ini: ABSENT: every key in it takes its default\n"},
      {"a device's name as the game, with an extension",
       [] { Set(".\\KQgameset.ini", "game", "GameExec", "nul.exe"); },
       "result: the game's path names a device, which Windows opens in place of a program: "
       "C:\\Games\\Demo\\bin\\nul.exe\n",
       "would show the player that the game cannot start: C:\\Games\\Demo\\bin\\nul.exe (system error 11)\n"},
      {"a text file named demo.exe",
       [] { Answers().contents["C:\\Games\\Demo\\bin\\demo.exe"] = "not a program\r\n"; },
       "result: the game file is not a program, and Windows refuses to run it: C:\\Games\\Demo\\bin\\demo.exe\n",
       "would show the player that the game cannot start: C:\\Games\\Demo\\bin\\demo.exe (system error 193)\n"},
      {"no GameExec: the game's path names its folder",
       [] {
         Answers().profile.erase({".\\KQgameset.ini", "game", "GameExec"});
         Answers().folders.insert("C:\\Games\\Demo\\bin\\");
       },
       "result: the game's path names a folder: C:\\Games\\Demo\\bin\\\n",
       "the game's path names a folder, not a file: C:\\Games\\Demo\\bin\\; nothing would be started\n"},
  };
  for (const Case &c : cases) {
    SetUp();
    CompleteSettings();
    c.change();
    RunLauncher();
    const int verdict = preview::Verdict();
    EXPECT_EQ(verdict, c.results.starts_with("result: the script would") ? 0 : 1) << c.what;
    EXPECT_EQ(Lines("result: "), c.results) << c.what << "\n" << Answers().output;
    EXPECT_NE(Answers().output.find(c.line), std::string::npos) << c.what << "\n" << Answers().output;
  }
}

// Once the launcher judges the game's path itself and tells the player why a game cannot start, the
// verdict is the same, and no line comes twice.
TEST_F(PreviewTest, AGameTheLauncherCannotStartFailsTheVerdictOnce) {
  Answers().folders.insert("C:\\Games\\Demo\\bin\\");
  char folder[40] = "C:\\Games\\Demo\\bin\\";
  const GamePathJudgement judgement = JudgeGamePath(folder, sizeof folder);
  ASSERT_EQ(judgement, GamePathJudgement::kFolder);
  PlatformShowStartFailure("bin\\", StartFailureCode(judgement));
  EXPECT_EQ(preview::Verdict(), 1);
  EXPECT_EQ(Lines("the game's path"), "the game's path names a folder, not a file: C:\\Games\\Demo\\bin\\; nothing "
                                      "would be started\n");
  EXPECT_EQ(Lines("result: the game"), "result: the game's path names a folder: C:\\Games\\Demo\\bin\\\n");

  SetUp();
  char device[40] = "C:\\Games\\Demo\\bin\\CON";
  ASSERT_EQ(JudgeGamePath(device, sizeof device), GamePathJudgement::kDevice);
  PlatformShowStartFailure("bin\\CON", StartFailureCode(GamePathJudgement::kDevice));
  EXPECT_EQ(preview::Verdict(), 1);
  EXPECT_EQ(Lines("would show the player"),
            "would show the player that the game cannot start: C:\\Games\\Demo\\bin\\CON (system error 11)\n");
  EXPECT_EQ(Lines("result: the game"),
            "result: the game's path names a device, which Windows opens in place of a program: "
            "C:\\Games\\Demo\\bin\\CON\n");
}

// The registry editor asks for the account's highest rights for a script that writes anything but the
// player's own keys: it works for some players only (exit 2), in every form the editor takes, with a warning
// for the roots it writes below; the lines the editor takes for no key do not count. A script whose lines
// cannot be told, or of which nothing is imported, falls short (exit 1).
TEST_F(PreviewTest, ScriptsThatNeedRightsWorkForSomePlayersOnly) {
  const std::string consequence =
      "; on an administrator account Windows asks for consent at every run and imports it with administrator "
      "rights, and on a standard account those lines are not imported\n";
  constexpr char kNulScript[] = "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"A\"=\"1\0\"\r\n";
  struct Case {
    const char *what;
    std::string script;
    int verdict;
    std::string warning;
  } cases[] = {
      {"REGEDIT4 with a value below HKLM",
       "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Example]\r\n\"A\"=\"1\"\r\n", 2,
       "warning: the registry script writes below HKEY_LOCAL_MACHINE" + consequence},
      {"version 5 in UTF-16LE, deleting a key below HKLM, and HKCR in lower case",
       Utf16("Windows Registry Editor Version 5.00\r\n\r\n[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n\r\n"
             "  [hkey_classes_root\\.demo]\r\n@=\"Demo\"\r\n"),
       2, "warning: the registry script writes below HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT" + consequence},
      {"version 5 in UTF-16LE, HKCR only, past the first part read",
       Utf16("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"Pad\"=\"" +
             std::string(3000, 'x') + "\"\r\n\r\n[HKEY_CLASSES_ROOT\\.demo]\r\n"),
       2, "warning: the registry script writes below HKEY_CLASSES_ROOT" + consequence},
      {"a key in the player's policy tree",
       "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Policies\\Demo]\r\n\"A\"=\"1\"\r\n", 2,
       "warning: the registry script writes below HKEY_CURRENT_USER's policy trees" + consequence},
      {"HKLM only inside a value, and a root the editor does not know",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"Key\"=\"[HKEY_LOCAL_MACHINE\\B]\"\n[HKEY_LOCAL_MACHINE_X\\C]\n", 2, ""},
      {"blanks before the header, a deletion below HKEY_USERS, HKLM on a line of hex data that goes on",
       " \tREGEDIT4\r\n[-HKEY_USERS\\S-1-5-18\\X]\r\n[HKEY_CURRENT_USER\\A]\r\n\"B\"=hex:01,\\\r\n"
       "[HKEY_LOCAL_MACHINE\\C]\r\n[HKEY_LOCAL_MACHINE\\D\r\n",
       2, "warning: the registry script writes below HKEY_USERS" + consequence},
      {"a UTF-8 byte-order mark before the header, which Wine's editor refuses",
       "\xEF\xBB\xBFREGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n", 2, ""},
      {"the Windows 3.1 form", "REGEDIT\r\nHKEY_CLASSES_ROOT\\.demo = Demo\r\n", 2,
       "warning: the registry script writes below HKEY_CLASSES_ROOT" + consequence},
      {"the Windows 3.1 form without a line below HKEY_CLASSES_ROOT",
       "REGEDIT\r\nhkey_classes_root\\.demo = Demo\r\nHKEY_CLASSES_ROOTS\\x = y\r\n[HKEY_CLASSES_ROOT\\.a]\r\n", 1, ""},
      {"a NUL byte", std::string(kNulScript, sizeof kNulScript - 1), 1, ""},
      {"a header the editor takes and imports nothing of", "REGEDIT 4\r\n[HKEY_CURRENT_USER\\A]\r\n", 1, ""},
      {"a header the editor refuses", "Windows Registry Editor Version 4.00\r\n[HKEY_LOCAL_MACHINE\\A]\r\n", 1, ""},
  };
  for (const Case &c : cases) {
    SetUp();
    CompleteSettings();
    SetScript(c.script);
    RunLauncher();
    EXPECT_EQ(preview::Verdict(), c.verdict) << c.what << "\n" << Answers().output;
    EXPECT_EQ(Warnings(), c.warning) << c.what;
    // No line says the script would be imported where some players lose it.
    EXPECT_EQ(Answers().output.find("would be imported"), std::string::npos) << c.what;
  }
  EXPECT_NE(Answers().output.find("  registry script C:\\Games\\Demo\\CONF\\TMPFILE.TXT: present\n"
                                  "  the registry script's first line is neither \"REGEDIT4\" nor \"Windows Registry "
                                  "Editor Version 5.00\": the registry editor refuses it and imports nothing of it\n"
                                  "  asking for the account's highest rights: on an administrator account Windows "
                                  "asks for consent at every run\n"
                                  "pause: "),
            std::string::npos)
      << Answers().output;
}

// In the automatic mode, before the companion has written today's file: what it would write, from the
// display adapter as it reads it, and what the game would then get.
TEST_F(PreviewTest, TheAutomaticModeSaysWhatTheCompanionWouldWrite) {
  struct Case {
    std::string deviceId;
    std::string line;
  } cases[] = {
      {"PCI\\VEN_10de&DEV_1C82&SUBSYS_1", "  no detection file today: companion.exe would write VENID = 0x10DE into "
                                          "it, from the primary display adapter (\"PCI\\VEN_10de&DEV_1C82&SUBSYS_1\"); "
                                          "the game would then get -opengl in place of Para\n"},
      {"ROOT\\BASICDISPLAY", "  no detection file today: companion.exe would write none, as the primary display "
                             "adapter (\"ROOT\\BASICDISPLAY\") names no PCI vendor; the game gets Para\n"},
  };
  for (const Case &c : cases) {
    SetUp();
    CompleteSettings();
    Answers().files.erase("C:\\Games\\Demo\\20123110.ini");
    Answers().profile.erase({"C:\\Games\\Demo\\20123110.ini", "last", "VENID"});
    Answers().displayDeviceId = c.deviceId;
    RunLauncher();
    EXPECT_EQ(preview::Verdict(), 0);
    EXPECT_NE(Answers().output.find("setting: C:\\Games\\Demo\\20123110.ini [last] VENID = \"\" (absent: the default)\n" +
                                    c.line + "would start the game: "),
              std::string::npos)
        << Answers().output;
  }
}

// A control byte in a value read reaches the console nowhere in the run, escaped by the printer.
TEST_F(PreviewTest, NoLineOfTheRunSendsAControlByteOfWhatItRead) {
  Answers().currentDirectory = "C:\\Games\\\x1b]0;x\x07" "D\xb5mo";
  Answers().files = {"C:\\Windows\\system32\\REGEDIT.EXE", "C:\\Games\\\x1b]0;x\x07" "D\xb5mo\\bin\\demo.exe"};
  CompleteSettings();
  Set(".\\KQgameplay.ini", "ExtSet", "radiostate", "3");
  Set(".\\KQgameset.ini", "game", "Para", "-window\rresult: the script would be imported\x7f\x1b[2K");
  RunLauncher();
  preview::Verdict();
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
