#include "game/graphics_mode.h"

#include <string>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

const std::string kDirectory = "C:\\Games\\Demo";
const char kTodaysFile[] = "C:\\Games\\Demo\\20123110.ini";  // the fake's date: 31 October 2012

class GraphicsModeTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    SetSetting(".\\KQgameset.ini", "game", "Para", "-window");
  }
  static void RadioState(const std::string &value) { SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", value); }
  static void Vendor(const std::string &value) { SetSetting(kTodaysFile, "last", "VENID", value); }

  // Settles the parameters, starting from "-window", and removes the detection file as the run does.
  static std::string Choose() {
    GameParameters parameters = TextOf<kGameTextCapacity>("-window");
    RemoveDetectionFile(ChooseGameParameters(DirectoryOf(kDirectory), parameters).detectionFile);
    return std::string(View(parameters));
  }
};

std::string FileName(LocalDate date) { return std::string(View(ComposeDetectionFilePath(DirectoryOf("D:\\x"), date))); }

TEST(DetectionFileName, IsYearThenDayThenMonth) {
  EXPECT_EQ(FileName({2012, 10, 31}), "D:\\x\\20123110.ini");
  EXPECT_EQ(FileName({2012, 3, 5}), "D:\\x\\201253.ini");
  // Without leading zeros two dates share a name.
  EXPECT_EQ(FileName({2012, 1, 11}), "D:\\x\\2012111.ini");
  EXPECT_EQ(FileName({2012, 11, 1}), "D:\\x\\2012111.ini");
  EXPECT_EQ(FileName({30827, 12, 31}), "D:\\x\\308273112.ini");
}

TEST(DetectionFileName, HoldsTheLongestDirectoryInFull) {
  const std::string directory(399, 'd');
  const DetectionFilePath path =
      ComposeDetectionFilePath(DirectoryOf(directory), {-2147483647 - 1, -2147483647 - 1, -2147483647 - 1});
  EXPECT_EQ(View(path), directory + "\\-2147483648-2147483648-2147483648.ini");
}

TEST_F(GraphicsModeTest, AutomaticModeTakesOpenGlForTheNvidiaVendorOnly) {
  RadioState("1");
  Vendor("0x10DE");
  EXPECT_EQ(Choose(), "-opengl");
  EXPECT_EQ(CallsStartingWith("ReadProfileString"),
            (std::vector<std::string>{"ReadProfileString C:\\Games\\Demo\\20123110.ini|last|VENID|10"}));
  EXPECT_EQ(CallsStartingWith("DeleteFile"), (std::vector<std::string>{"DeleteFile C:\\Games\\Demo\\20123110.ini"}));

  for (const char *other : {"0x10de", "0x1002", "0x10DE ", "0x10D", ""}) {
    Fake().calls.clear();
    Vendor(other);
    EXPECT_EQ(Choose(), "-window") << "vendor '" << other << "'";
    EXPECT_EQ(CallsStartingWith("DeleteFile").size(), 1u);
  }
}

TEST_F(GraphicsModeTest, AutomaticModeWithoutTodaysFileKeepsParaAndStillDeletesTodaysName) {
  RadioState("65537");  // low 16 bits: 1
  SetSetting("C:\\Games\\Demo\\20123010.ini", "last", "VENID", "0x10DE");  // yesterday's
  EXPECT_EQ(Choose(), "-window");
  EXPECT_EQ(CallsStartingWith("DeleteFile"), (std::vector<std::string>{"DeleteFile C:\\Games\\Demo\\20123110.ini"}));
}

TEST_F(GraphicsModeTest, ForcedModeReplacesParaWholeAndNamesNoFile) {
  RadioState("2");
  Vendor("0x10DE");
  EXPECT_EQ(Choose(), "-opengl");
  EXPECT_TRUE(CallsStartingWith("ReadProfileString").empty());
  EXPECT_TRUE(CallsStartingWith("DeleteFile").empty());
  EXPECT_EQ(CallsStartingWith("ReadLocalDate").size(), 1u);
}

TEST_F(GraphicsModeTest, AnyOtherStateKeepsParaAndTouchesNoFile) {
  for (const char *state : {"3", "0", "65536", "-1", "7"}) {
    Fake().calls.clear();
    RadioState(state);
    Vendor("0x10DE");
    EXPECT_EQ(Choose(), "-window") << state;
    EXPECT_TRUE(CallsStartingWith("DeleteFile").empty()) << state;
    EXPECT_EQ(CallsStartingWith("ReadLocalDate").size(), 1u) << state;
  }
  Fake().profile.erase({".\\KQgameplay.ini", "ExtSet", "radiostate"});
  EXPECT_EQ(Choose(), "-window");
}

}  // namespace
}  // namespace launcher
