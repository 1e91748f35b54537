#include "game/game_path.h"

#include <string>

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

class GamePathTest : public PlatformTest {};

TEST_F(GamePathTest, JudgesEachKindOfPath) {
  Fake().folders = {"C:\\g\\bin\\"};
  Fake().files = {"C:\\g\\bin\\game.exe", "C:\\g\\bin\\notes.EXE", "C:\\g\\bin\\empty.exe", "C:\\g\\bin\\run.bat",
                  "C:\\g\\bin\\locked.exe", "C:\\g\\bin\\NUL.exe"};
  Fake().contents = {{"C:\\g\\bin\\game.exe", "MZ\x90"}, {"C:\\g\\bin\\notes.EXE", "Mz not a program"},
                     {"C:\\g\\bin\\empty.exe", ""}, {"C:\\g\\bin\\run.bat", "@echo off"}};
  Fake().unreadable = {"C:\\g\\bin\\locked.exe"};
  const std::pair<const char *, GamePathJudgement> cases[] = {
      {"C:\\g\\bin\\game.exe", GamePathJudgement::kProgram},
      {"C:\\g\\bin\\run.bat", GamePathJudgement::kProgram},
      {"C:\\g\\bin\\locked.exe", GamePathJudgement::kProgram},  // the start says why
      {"C:\\g\\bin\\", GamePathJudgement::kFolder},
      {"C:\\g\\bin\\missing.exe", GamePathJudgement::kMissing},
      {"C:\\g\\bin\\NUL.exe", GamePathJudgement::kDevice},  // answers like a file, is none
      {"C:\\g\\bin\\notes.EXE", GamePathJudgement::kNotAProgram},
      {"C:\\g\\bin\\empty.exe", GamePathJudgement::kNotAProgram},
  };
  for (const auto &[path, judgement] : cases) EXPECT_EQ(JudgeGamePath(path), judgement) << path;
  // A device is never asked for: Windows would open it.
  EXPECT_TRUE(CallsStartingWith("IsFile C:\\g\\bin\\NUL").empty());
}

}  // namespace
}  // namespace launcher
