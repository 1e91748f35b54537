#include "preview/near_names.h"

#include <gtest/gtest.h>

#include <string>

namespace launcher::preview {
namespace {

constexpr char kGame[] = ".\\KQgameset.ini";
constexpr char kPlay[] = ".\\KQgameplay.ini";

TEST(NearNamesTest, EditsCountAddedDroppedReplacedAndSwappedLettersCaseAsideUpToThree) {
  EXPECT_EQ(Edits("RADIOSTATE", "radiostate"), 0);
  EXPECT_EQ(Edits("radiosatte", "radiostate"), 1);  // two letters swapped
  EXPECT_EQ(Edits("radiostat", "radiostate"), 1);
  EXPECT_EQ(Edits("VALUENAMEXYZ", "VALUENAMEX"), 2);
  EXPECT_EQ(Edits("RATS", "ROOT"), 3);  // three replaced
  EXPECT_EQ(Edits("SUBKEY", "SUBKEYABC"), 3);
  EXPECT_EQ(Edits(std::string(300, 'Q') + "ROOT", "ROOT"), 3);  // a long name is near none
}

TEST(NearNamesTest, NearNamesAreTheLaunchersOwnInThatFileAndSection) {
  EXPECT_TRUE(IsLaunchersSection(kGame, "regset"));
  EXPECT_FALSE(IsLaunchersSection(kGame, "ExtSet"));  // the play settings' section
  EXPECT_STREQ(NearSection(kGame, "REGSETT"), "REGSET");
  EXPECT_STREQ(NearSection(kPlay, "ExtSett"), "ExtSet");
  EXPECT_EQ(NearSection(kGame, "ExtSet"), nullptr);
  EXPECT_EQ(NearSection(kGame, std::string(300, 'B') + "V"), nullptr);

  EXPECT_STREQ(NearKey(kGame, "REGSET", "valuenamex"), "");  // the launcher's own, case aside
  EXPECT_STREQ(NearKey(kGame, "REGSET", "VALUETYPES"), "VALUETYPE");
  EXPECT_STREQ(NearKey(kGame, "REGSET", "VALUENAMEZ"), "VALUENAMEX");  // two as near: the first in the table
  EXPECT_STREQ(NearKey(kPlay, "ExtSet", "radoistate"), "radiostate");
  EXPECT_EQ(NearKey(kPlay, "ExtSet", "Volume"), nullptr);
  EXPECT_EQ(NearKey(kGame, "BV", "radiostate"), nullptr);  // another section's key
}

}  // namespace
}  // namespace launcher::preview
