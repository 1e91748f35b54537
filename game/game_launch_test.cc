#include "game/game_launch.h"

#include <string>

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
}

TEST_F(GameLaunchTest, JoinsPartsAsTheyStand) {
  Game("GameExec", "demo.exe");
  GameLaunch launch = BuildGameLaunch(DirectoryOf("C:\\Games\\Demo"));
  EXPECT_EQ(View(launch.directory), "C:\\Games\\Demo\\");
  EXPECT_EQ(View(launch.file), "C:\\Games\\Demo\\\\demo.exe");
  EXPECT_EQ(View(launch.parameters), "");

  Game("GameExecPath", "bin\\x86");
  Game("Para", "-w \"a b\" 'c'");
  launch = BuildGameLaunch(DirectoryOf("C:\\My Games\\"));
  EXPECT_EQ(View(launch.directory), "C:\\My Games\\\\bin\\x86");
  EXPECT_EQ(View(launch.file), "C:\\My Games\\\\bin\\x86\\demo.exe");
  EXPECT_EQ(View(launch.parameters), "-w \"a b\" 'c'");
}

// Without GameExec the path names the game's folder, which would open in a file manager: nothing starts.
// A path that names no folder, a missing game among them, is started as ever.
TEST_F(GameLaunchTest, StartsNothingWhenThePathNamesAFolder) {
  Game("GameExecPath", "bin");
  Fake().folders = {"C:\\Games\\Demo\\bin\\"};
  StartGame(BuildGameLaunch(DirectoryOf("C:\\Games\\Demo")));
  EXPECT_EQ(CallsStartingWith("IsFolder"), std::vector<std::string>{"IsFolder C:\\Games\\Demo\\bin\\"});
  EXPECT_TRUE(CallsStartingWith("StartProgram").empty());

  Game("GameExec", "missing.exe");
  StartGame(BuildGameLaunch(DirectoryOf("C:\\Games\\Demo")));
  EXPECT_EQ(CallsStartingWith("StartProgram").size(), 1u);
}

TEST_F(GameLaunchTest, LongestPartsArePassedWhole) {
  const std::string directory = "C:\\" + std::string(396, 'w');
  const std::string path(399, 'p'), exec(399, 'e'), para(399, 'a');
  Game("GameExecPath", path + "more");
  Game("GameExec", exec + "more");
  Game("Para", para + "more");
  GameLaunch launch = BuildGameLaunch(DirectoryOf(directory));
  StartGame(launch);
  const std::string file = directory + "\\" + path + "\\" + exec;
  ASSERT_EQ(file.size(), 1199u);
  EXPECT_EQ(CallsStartingWith("StartProgram"),
            (std::vector<std::string>{"StartProgram " + file + "|" + para + "|" + directory + "\\" + path}));
}

}  // namespace
}  // namespace launcher
