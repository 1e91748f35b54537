#include "settings/settings.h"

#include <string>

#include "tests/platform_fake.h"

namespace {

class SettingsTest : public PlatformTest {};

TEST_F(SettingsTest, IntegerTakesTheDefaultWhenAbsentAndTheValueWhenPresent) {
  EXPECT_EQ(ReadSettingInt(QNORESY_SETTING), 800);
  EXPECT_EQ(ReadSettingInt(RADIOSTATE_SETTING), 3);
  EXPECT_EQ(ReadSettingInt(CUSTOMQUALITY_SETTING), 255);
  EXPECT_EQ(ReadSettingInt(CHECK1_SETTING), 0);

  SetSetting(".\\KQgameset.ini", "BV", "qnoresY", "-600");
  EXPECT_EQ(ReadSettingInt(QNORESY_SETTING), -600);
  // The same key in the other file is another setting.
  SetSetting(".\\KQgameplay.ini", "ExtSet", "radiostate", "1");
  EXPECT_EQ(ReadSettingInt(CHECK1_SETTING), 0);
  EXPECT_EQ(ReadSettingInt(RADIOSTATE_SETTING), 1);
}

TEST_F(SettingsTest, TextIsEmptyWhenAbsentAndCutAtCapacityMinusOne) {
  char subkey[kSubkeyCapacity];
  memset(subkey, 'x', sizeof subkey);
  ReadSettingString(SUBKEY_SETTING, subkey);
  EXPECT_STREQ(subkey, "");

  SetSetting(".\\KQgameset.ini", "REGSET", "SUBKEY", std::string(450, 'k'));
  ReadSettingString(SUBKEY_SETTING, subkey);
  EXPECT_EQ(std::string(subkey), std::string(399, 'k'));

  char vendor[kVendorIdCapacity];
  SetSetting("C:\\d\\20123110.ini", "last", "VENID", "0x10DE-extra");
  ReadSettingString(VENID_SETTING("C:\\d\\20123110.ini"), vendor);
  EXPECT_STREQ(vendor, "0x10DE-ex");
}

TEST_F(SettingsTest, EveryFieldIsZeroFilledBeforeTheRead) {
  char name[kValueNameCapacity];
  memset(name, 'x', sizeof name);
  SetSetting(".\\KQgameset.ini", "REGSET", "VALUENAMEX", "Width");
  ReadSettingString(VALUENAMEX_SETTING, name);
  for (size_t i = 5; i < sizeof name; ++i) ASSERT_EQ(name[i], '\0') << "byte " << i;
}

TEST_F(SettingsTest, KeysAreReadFromTheirOwnFileAndSection) {
  char text[kGameTextCapacity];
  ReadSettingInt(CHECK1_SETTING);
  ReadSettingInt(QNORES_SETTING);
  ReadSettingString(GAMEEXECPATH_SETTING, text);
  ReadSettingString(VALUENAMEY_SETTING, text);
  EXPECT_EQ(Fake().calls, (std::vector<std::string>{
                              "ReadProfileInt .\\KQgameplay.ini|ExtSet|check1|0",
                              "ReadProfileInt .\\KQgameset.ini|BV|qnores|255",
                              "ReadProfileString .\\KQgameset.ini|game|GameExecPath|400",
                              "ReadProfileString .\\KQgameset.ini|REGSET|VALUENAMEY|200",
                          }));
}

}  // namespace
