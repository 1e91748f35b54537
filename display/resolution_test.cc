#include "display/resolution.h"

#include <string>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

class ResolutionTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    Fake().screenWidth = 1600;
    Fake().screenHeight = 900;
  }
  static void Game(const std::string &key, const std::string &value) { SetSetting(".\\KQgameset.ini", "BV", key, value); }
  static void Play(const std::string &key, const std::string &value) {
    SetSetting(".\\KQgameplay.ini", "ExtSet", key, value);
  }
  static std::vector<std::string> Reads() { return CallsStartingWith("ReadProfileInt"); }
};

TEST_F(ResolutionTest, WithoutSettingsQualitiesAgreeAndTheDefaultsApply) {
  const ResolutionChoice choice = ChooseResolution();
  EXPECT_EQ(choice.source, ResolutionSource::kQualityMatch);
  EXPECT_EQ(choice.screen.width, 1600);
  const Resolution resolution = choice.resolution;
  EXPECT_EQ(resolution.width, 800);
  EXPECT_EQ(resolution.height, 800);
  EXPECT_EQ(Fake().calls.front(), "ReadScreenSize");
  EXPECT_EQ(Reads(), (std::vector<std::string>{
                         "ReadProfileInt .\\KQgameplay.ini|ExtSet|check1|0",
                         "ReadProfileInt .\\KQgameset.ini|BV|qnores|255",
                         "ReadProfileInt .\\KQgameplay.ini|ExtSet|customquality|255",
                         "ReadProfileInt .\\KQgameset.ini|BV|qnoresX|800",
                         "ReadProfileInt .\\KQgameset.ini|BV|qnoresY|800",
                     }));
}

TEST_F(ResolutionTest, Check1SkipsTheQualitiesAndTakesTheConfiguredSize) {
  Play("check1", "1");
  Game("qnoresX", "1024");
  Game("qnores", "1");
  const ResolutionChoice choice = ChooseResolution();
  EXPECT_EQ(choice.source, ResolutionSource::kCheck1);
  const Resolution resolution = choice.resolution;
  EXPECT_EQ(resolution.width, 1024);
  EXPECT_EQ(resolution.height, 800);
  EXPECT_EQ(Reads(), (std::vector<std::string>{
                         "ReadProfileInt .\\KQgameplay.ini|ExtSet|check1|0",
                         "ReadProfileInt .\\KQgameset.ini|BV|qnoresX|800",
                         "ReadProfileInt .\\KQgameset.ini|BV|qnoresY|800",
                     }));
  // The screen is measured all the same.
  EXPECT_EQ(CallsStartingWith("ReadScreenSize").size(), 1u);
}

TEST_F(ResolutionTest, QualitiesThatDifferKeepTheScreenAndReadNoSize) {
  Play("check1", "0");
  Game("qnores", "2");
  Play("customquality", "3");
  Game("qnoresX", "1024");
  const ResolutionChoice choice = ChooseResolution();
  EXPECT_EQ(choice.source, ResolutionSource::kScreen);
  const Resolution resolution = choice.resolution;
  EXPECT_EQ(resolution.width, 1600);
  EXPECT_EQ(resolution.height, 900);
  EXPECT_EQ(Reads().size(), 3u);
}

TEST_F(ResolutionTest, QualitiesThatAgreeTakeTheConfiguredSize) {
  Game("qnores", "2");
  Play("customquality", "2");
  Game("qnoresX", "800");
  Game("qnoresY", "600");
  Resolution resolution = ChooseResolution().resolution;
  EXPECT_EQ(resolution.width, 800);
  EXPECT_EQ(resolution.height, 600);
}

TEST_F(ResolutionTest, QualitiesCompareAsWholeIntegers) {
  Game("qnores", "65538");  // the same low 16 bits as 2
  Play("customquality", "2");
  EXPECT_EQ(ChooseResolution().resolution.width, 1600);
}

TEST_F(ResolutionTest, ConfiguredSizesPassUncheckedAndAMissingScreenGivesZero) {
  Play("check1", "-5");
  Game("qnoresX", "0");
  Game("qnoresY", "-768");
  Resolution resolution = ChooseResolution().resolution;
  EXPECT_EQ(resolution.width, 0);
  EXPECT_EQ(resolution.height, -768);

  Fake() = FakePlatform();
  Fake().screenWidth = 0;
  Fake().screenHeight = 0;
  Game("qnores", "1");
  resolution = ChooseResolution().resolution;
  EXPECT_EQ(resolution.width, 0);
  EXPECT_EQ(resolution.height, 0);
}

}  // namespace
}  // namespace launcher
