#include "game/game_path.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace launcher
