#include "game/game_launch.h"

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
  Fake().contents = {{"C:\\Games\\Demo\\bin\\demo.exe", "MZ"}};
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

// A path the shell would not start as a program starts nothing, and a start that fails is not retried:
// either way the player gets one message naming the path below the working directory and the system's
// error code. A .bat or any other file is started as ever.
TEST_F(GameLaunchTest, TellsThePlayerOnceWhenTheGameCannotStart) {
  const std::tuple<const char *, unsigned long, std::string> cases[] = {
      // GameExec, what the start answers, the start and the message in order
      {"missing.exe", 0, "Release; ShowStartFailure bin\\missing.exe|2"},
      {"", 0, "Release; ShowStartFailure bin\\|336"},                // the path names the folder
      {"NUL.exe", 0, "Release; ShowStartFailure bin\\NUL.exe|11"},   // a device's name
      {"notes.exe", 0, "Release; ShowStartFailure bin\\notes.exe|11"},  // no program image
      {"locked.exe", 5, "StartProgram; Release; ShowStartFailure bin\\locked.exe|5"},  // unread: the start says
      {"demo.exe", 1155, "StartProgram; Release; ShowStartFailure bin\\demo.exe|1155"},
      {"run.bat", 0, "StartProgram"},
  };
  for (const auto &[gameExec, startError, expected] : cases) {
    Fake() = FakePlatform();
    Fake().folders = {"C:\\Games\\Demo\\bin\\"};
    Fake().files = {"C:\\Games\\Demo\\bin\\demo.exe", "C:\\Games\\Demo\\bin\\notes.exe",
                    "C:\\Games\\Demo\\bin\\run.bat", "C:\\Games\\Demo\\bin\\NUL.exe"};
    Fake().files.insert("C:\\Games\\Demo\\bin\\locked.exe");
    Fake().unreadable = {"C:\\Games\\Demo\\bin\\locked.exe"};
    Fake().contents = {{"C:\\Games\\Demo\\bin\\demo.exe", "MZ"}, {"C:\\Games\\Demo\\bin\\notes.exe", "Mz"}};
    Fake().startError = startError;
    Game("GameExecPath", "bin");
    Game("GameExec", gameExec);
    StartGame(BuildGameLaunch(DirectoryOf("C:\\Games\\Demo")));
    std::string seen;
    for (const std::string &call : Fake().calls) {
      if (call.rfind("StartProgram", 0) == 0) seen += "StartProgram; ";
      if (call.rfind("ReleaseCurrentDirectory", 0) == 0) seen += "Release; ";
      if (call.rfind("ShowStartFailure", 0) == 0) seen += call + "; ";
    }
    EXPECT_EQ(seen, expected + "; ") << gameExec;
  }
}

TEST_F(GameLaunchTest, LongestPartsArePassedWhole) {
  const std::string directory = "C:\\" + std::string(396, 'w');
  const std::string path(399, 'p'), exec(399, 'e'), para(399, 'a');
  Game("GameExecPath", path + "more");
  Game("GameExec", exec + "more");
  Game("Para", para + "more");
  const std::string file = directory + "\\" + path + "\\" + exec;
  Fake().files = {file};
  GameLaunch launch = BuildGameLaunch(DirectoryOf(directory));
  StartGame(launch);
  ASSERT_EQ(file.size(), 1199u);
  EXPECT_EQ(CallsStartingWith("StartProgram"),
            (std::vector<std::string>{"StartProgram " + file + "|" + para + "|" + directory + "\\" + path}));
}

}  // namespace
}  // namespace launcher
