#include "game/game_launch.h"

#include <map>
#include <string>
#include <tuple>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

class GameLaunchTest : public PlatformTest {
 protected:
  static void Game(const std::string &key, const std::string &value) { SetSetting(".\\KQgameset.ini", "game", key, value); }
};

TEST_F(GameLaunchTest, ComposesFileAndDirectoryFromTheWorkingDirectory) {
  Game("GameExecPath", "bin");
  Game("GameExec", "demo.exe");
  Game("Para", "-window");
  Fake().files = {"C:\\Games\\Demo\\bin\\demo.exe"};
  Fake().contents = {{"C:\\Games\\Demo\\bin\\demo.exe", ProgramImage()}};
  GameLaunch launch = BuildGameLaunch(DirectoryOf("C:\\Games\\Demo"));
  EXPECT_EQ(CallsStartingWith("ReadProfileString"),
            (std::vector<std::string>{
                "ReadProfileString .\\KQgameset.ini|game|GameExec|400",
                "ReadProfileString .\\KQgameset.ini|game|GameExecPath|400",
                "ReadProfileString .\\KQgameset.ini|game|Para|400",
            }));
  StartGame(launch);
  EXPECT_EQ(CallsStartingWith("StartProgram"),
            (std::vector<std::string>{"StartProgram C:\\Games\\Demo\\bin\\demo.exe|-window|C:\\Games\\Demo\\bin"}));
  EXPECT_TRUE(CallsStartingWith("ShowStartFailure").empty());
}

TEST_F(GameLaunchTest, JoinsPartsAsTheyStand) {
  Game("GameExec", "demo.exe");
  GameLaunch launch = BuildGameLaunch(DirectoryOf("C:\\Games\\Demo"));
  EXPECT_EQ(View(launch.directory), "C:\\Games\\Demo\\");
  EXPECT_EQ(View(launch.file), "C:\\Games\\Demo\\\\demo.exe");
  EXPECT_EQ(View(launch.fileBelowDirectory), "\\demo.exe");
  EXPECT_EQ(View(launch.parameters), "");

  Game("GameExecPath", "bin\\x86");
  Game("Para", "-w \"a b\" 'c'");
  launch = BuildGameLaunch(DirectoryOf("C:\\My Games\\"));
  EXPECT_EQ(View(launch.directory), "C:\\My Games\\\\bin\\x86");
  EXPECT_EQ(View(launch.file), "C:\\My Games\\\\bin\\x86\\demo.exe");
  EXPECT_EQ(View(launch.fileBelowDirectory), "bin\\x86\\demo.exe");
  EXPECT_EQ(View(launch.parameters), "-w \"a b\" 'c'");
}

// The game start's table of files: the file as the shell completes and the loader judges it (Windows' side,
// from Microsoft's documentation; Wine starts the same completed path). What the shell would not start as a
// program starts nothing; a document and a file that cannot be read go to the shell, whose answer is
// returned. The player is told the returned code, with the name as completed.
TEST_F(GameLaunchTest, StartsWhatTheShellWouldAndReturnsWhyNot) {
  std::string junk = "MZ" + std::string(62, 'j') + "junk";  // its header points far past its end
  std::string sixteenBit = ProgramImage().replace(64, 2, "NE");
  const std::map<std::string, std::string> files = {
      {"demo.exe", ProgramImage()}, {"game.exe", ProgramImage()}, {"tool.com", ProgramImage()},
      {"tool.exe", ProgramImage()}, {"readme.txt", "text"}, {"notes.exe", "Mz"}, {"stub.exe", "MZ"},
      {"junk.exe", junk}, {"library.exe", ProgramImage(0x2102)}, {"old.exe", sixteenBit}, {"old.com", "\xb4\x09"},
      {"run.bat", "@echo off"}, {"NUL.exe", ""}, {"locked.exe", ""}};
  const std::tuple<const char *, unsigned long, GamePathJudgement, const char *, unsigned long> cases[] = {
      // GameExec, what the shell answers, the judgement, the name below the directory, the code returned
      {"demo.exe", 0, GamePathJudgement::kProgram, "demo.exe", 0},
      {"game", 0, GamePathJudgement::kProgram, "game.exe", 0},  // completed
      {"tool", 0, GamePathJudgement::kProgram, "tool.com", 0},  // .com before .exe
      {"readme", 0, GamePathJudgement::kMissing, "readme", 2},  // no program extension completes it
      {"missing.exe", 0, GamePathJudgement::kMissing, "missing.exe", 2},
      {"", 0, GamePathJudgement::kFolder, "", 336},
      {"NUL.exe", 0, GamePathJudgement::kDevice, "NUL.exe", 11},
      {"notes.exe", 0, GamePathJudgement::kNotAProgram, "notes.exe", 193},    // no "MZ"
      {"stub.exe", 0, GamePathJudgement::kNotAProgram, "stub.exe", 193},      // "MZ" only
      {"junk.exe", 0, GamePathJudgement::kNotAProgram, "junk.exe", 193},      // "MZ" and junk
      {"library.exe", 0, GamePathJudgement::kLibrary, "library.exe", 193},    // a DLL
      {"old.exe", 0, GamePathJudgement::kSixteenBit, "old.exe", 216},         // an NE image
      {"old.com", 0, GamePathJudgement::kSixteenBit, "old.com", 216},         // an MS-DOS .com
      {"readme.txt", 0, GamePathJudgement::kDocument, "readme.txt", 0},       // started as the settings say
      {"readme.txt", 1155, GamePathJudgement::kDocument, "readme.txt", 1155},
      {"locked.exe", 5, GamePathJudgement::kProgram, "locked.exe", 5},  // unread: the shell says
      {"run.bat", 0, GamePathJudgement::kProgram, "run.bat", 0},
  };
  for (const auto &[gameExec, shellAnswer, judgement, below, error] : cases) {
    Fake() = FakePlatform();
    Fake().folders = {"C:\\Games\\Demo\\bin\\"};
    for (const auto &[name, content] : files) {
      Fake().files.insert("C:\\Games\\Demo\\bin\\" + name);
      Fake().contents["C:\\Games\\Demo\\bin\\" + name] = content;
    }
    Fake().unreadable = {"C:\\Games\\Demo\\bin\\locked.exe"};
    Fake().startError = shellAnswer;
    Game("GameExecPath", "bin");
    Game("GameExec", gameExec);
    const GameLaunch launch = BuildGameLaunch(DirectoryOf("C:\\Games\\Demo"));
    EXPECT_EQ(launch.judgement, judgement) << gameExec;
    EXPECT_EQ(View(launch.fileBelowDirectory), std::string("bin\\") + below) << gameExec;
    EXPECT_EQ(StartGame(launch), error) << gameExec;
    const bool started = judgement == GamePathJudgement::kProgram || judgement == GamePathJudgement::kDocument;
    EXPECT_EQ(CallsStartingWith("StartProgram"),
              started ? std::vector<std::string>{"StartProgram C:\\Games\\Demo\\bin\\" + std::string(below) +
                                                 "||C:\\Games\\Demo\\bin"}
                      : std::vector<std::string>{})
        << gameExec;
    EXPECT_TRUE(CallsStartingWith("ShowStartFailure").empty()) << gameExec;
  }
}

// A path longer than Windows opens without long-path support is composed whole and said to be too long,
// not missing: Windows' side (Wine opens longer paths).
TEST_F(GameLaunchTest, LongestPartsAreComposedWholeAndRefusedAsTooLong) {
  const std::string directory = "C:\\" + std::string(396, 'w');
  const std::string path(399, 'p'), exec(399, 'e'), para(399, 'a');
  Game("GameExecPath", path + "more");
  Game("GameExec", exec + "more");
  Game("Para", para + "more");
  const std::string file = directory + "\\" + path + "\\" + exec;
  Fake().files = {file};
  const GameLaunch launch = BuildGameLaunch(DirectoryOf(directory));
  EXPECT_EQ(View(launch.file), file);
  EXPECT_EQ(View(launch.directory), directory + "\\" + path);
  EXPECT_EQ(View(launch.parameters), para);
  EXPECT_EQ(StartGame(launch), 206u);
  EXPECT_TRUE(CallsStartingWith("StartProgram").empty());

  // At the limit, 259 units once resolved; a name without an extension that has no room for one is too long.
  Fake().fullPathLengths[file] = 259;
  EXPECT_EQ(BuildGameLaunch(DirectoryOf(directory)).judgement, GamePathJudgement::kDocument);
  Fake().fullPathLengths[file] = 256;
  Fake().files.clear();
  EXPECT_EQ(BuildGameLaunch(DirectoryOf(directory)).judgement, GamePathJudgement::kTooLong);
  Fake().fullPathLengths[file] = 255;
  EXPECT_EQ(BuildGameLaunch(DirectoryOf(directory)).judgement, GamePathJudgement::kMissing);
}

}  // namespace
}  // namespace launcher
