#include "game/game_path.h"

#include <set>
#include <string>
#include <tuple>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

TEST(NamesDeviceTest, KnowsTheDeviceNamesWithOrWithoutExtensionCaseAside) {
  for (const char *path : {"C:\\Games\\Demo\\\\NUL", "C:\\g\\bin\\nul.exe", "C:\\g\\bin\\Con", "C:\\g\\COM1",
                           "C:\\g\\lpt9.txt.exe", "C:\\g\\aux .exe", "C:\\g\\PRN", "C:\\g\\CONOUT$", "C:/g/com0.exe",
                           "NUL"}) {
    EXPECT_TRUE(NamesDevice(path)) << path;
  }
  for (const char *path : {"C:\\g\\NULL.exe", "C:\\g\\COM10", "C:\\g\\COM", "C:\\g\\xNUL.exe", "C:\\NUL\\game.exe",
                           "C:\\g\\LPTX", "C:\\g\\", "C:\\g\\CONIN"}) {
    EXPECT_FALSE(NamesDevice(path)) << path;
  }
}

// A name without an extension, as the shell's documentation has it (Windows' side: PathResolve's program
// extensions, PathFindExtension's rule that an extension holds no blank): the shell's extensions are tried
// in its order before the name itself, which then stands as it is.
TEST_F(PlatformTest, CompletesANameWithoutExtensionAsTheShellDoes) {
  const std::tuple<const char *, std::set<std::string>, GamePathJudgement, const char *> cases[] = {
      // the name, the files (and the folder "dir") there, the judgement, the path judged
      {"game", {"game.pif", "game.exe"}, GamePathJudgement::kProgram, "game.pif"},
      {"game", {"game.cmd"}, GamePathJudgement::kProgram, "game.cmd"},
      {"dir", {"dir.exe"}, GamePathJudgement::kProgram, "dir.exe"},  // before the folder of that name
      {"dir", {}, GamePathJudgement::kFolder, "dir"},
      {"game", {"game"}, GamePathJudgement::kDocument, "game"},  // no type: the shell asks for its program
      {"Game v1.2 final", {"Game v1.2 final.exe"}, GamePathJudgement::kProgram, "Game v1.2 final.exe"},
      {"game.", {"game.exe"}, GamePathJudgement::kMissing, "game."},  // "." is an extension, if an empty one
      {"DEMO.EXE", {"DEMO.EXE"}, GamePathJudgement::kProgram, "DEMO.EXE"},  // a program's, case aside
  };
  for (const auto &[name, files, judgement, judged] : cases) {
    Fake() = FakePlatform();
    Fake().folders = {"C:\\g\\dir"};
    for (const std::string &file : files) {
      Fake().files.insert("C:\\g\\" + file);
      Fake().contents["C:\\g\\" + file] = ProgramImage();
    }
    char path[64] = "C:\\g\\";
    std::string(name).copy(path + 5, sizeof path - 10);
    EXPECT_EQ(JudgeGamePath(path, sizeof path), judgement) << name;
    EXPECT_EQ(std::string(path), std::string("C:\\g\\") + judged) << name;
  }
}

}  // namespace
}  // namespace launcher
