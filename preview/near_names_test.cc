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
  EXPECT_EQ(Edits("ABCDEFGHIJ", "ABXYZFGHIJ"), 3);                // ended at the row past two
  EXPECT_EQ(Edits("ab", "ba"), 1);
}

TEST(NearNamesTest, NearNamesAreTheLaunchersOwnInThatFileAndSection) {
  EXPECT_STREQ(NearestName(kGame, nullptr, "regset"), "");  // the launcher's own, case aside
  EXPECT_STREQ(NearestName(kGame, nullptr, "REGSETT"), "REGSET");
  EXPECT_STREQ(NearestName(kGame, nullptr, "gmae"), "game");
  EXPECT_STREQ(NearestName(kGame, nullptr, "Bv"), "");
  EXPECT_STREQ(NearestName(kPlay, nullptr, "ExtSett"), "ExtSet");
  EXPECT_EQ(NearestName(kGame, nullptr, "ExtSet"), nullptr);
  EXPECT_EQ(NearestName(kGame, nullptr, std::string(300, 'B') + "V"), nullptr);

  EXPECT_STREQ(NearestName(kGame, "REGSET", "valuenamex"), "");  // the launcher's own, case aside
  EXPECT_STREQ(NearestName(kGame, "REGSET", "VALUETYPES"), "VALUETYPE");
  EXPECT_STREQ(NearestName(kGame, "REGSET", "VALUENAMEZ"), "VALUENAMEX");  // two as near: the first in the table
  EXPECT_STREQ(NearestName(kPlay, "ExtSet", "radoistate"), "radiostate");
  EXPECT_EQ(NearestName(kPlay, "ExtSet", "Volume"), nullptr);
  EXPECT_EQ(NearestName(kGame, "BV", "radiostate"), nullptr);  // another section's key
}

}  // namespace
}  // namespace launcher::preview
