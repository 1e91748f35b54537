#include "settings/settings.h"

#include <string>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

class SettingsTest : public PlatformTest {};

TEST_F(SettingsTest, IntegerTakesTheDefaultWhenAbsentAndTheValueWhenPresent) {
  EXPECT_EQ(ReadSettingInt(kQnoresY), 800);
  EXPECT_EQ(ReadSettingInt(kRadioState), 3);
  EXPECT_EQ(ReadSettingInt(kCustomQuality), 255);
  EXPECT_EQ(ReadSettingInt(kCheck1), 0);

  SetSetting(".\\KQgameset.ini", "BV", "qnoresY", "-600");
  EXPECT_EQ(ReadSettingInt(kQnoresY), -600);
  // The same key in the other file is another setting.
  SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "1");
  EXPECT_EQ(ReadSettingInt(kCheck1), 0);
  EXPECT_EQ(ReadSettingInt(kRadioState), 1);
}

TEST_F(SettingsTest, TextIsEmptyWhenAbsentAndCutAtCapacityMinusOne) {
  EXPECT_EQ(View(ReadSettingString(kSubkey)), "");

  SetSetting(".\\KQgameset.ini", "REGSET", "SUBKEY", std::string(450, 'k'));
  EXPECT_EQ(View(ReadSettingString(kSubkey)), std::string(399, 'k'));

  SetSetting("C:\\d\\20123110.ini", "last", "VENID", "0x10DE-extra");
  EXPECT_EQ(View(ReadSettingString("C:\\d\\20123110.ini", kVendorId)), "0x10DE-ex");
}

TEST_F(SettingsTest, EveryFieldIsZeroFilledBeforeTheRead) {
  SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEX", "Width");
  const Text<kValueNameCapacity> name = ReadSettingString(kValueNameX);
  for (size_t i = 5; i < sizeof name.bytes; ++i) ASSERT_EQ(name.bytes[i], '\0') << "byte " << i;
}

TEST_F(SettingsTest, KeysAreReadFromTheirOwnFileAndSection) {
  ReadSettingInt(kCheck1);
  ReadSettingInt(kQnores);
  ReadSettingString(kGameExecPath);
  ReadSettingString(kValueNameY);
  EXPECT_EQ(Fake().calls, (std::vector<std::string>{
                              "ReadProfileInt .\\KQgameplay.ini|ExtSet|check1|0",
                              "ReadProfileInt .\\KQgameset.ini|BV|qnores|255",
                              "ReadProfileString .\\KQgameset.ini|game|GameExecPath|400",
                              "ReadProfileString .\\KQgameset.ini|REGSET|VALUENAMEY|200",
                          }));
}

}  // namespace
}  // namespace launcher
