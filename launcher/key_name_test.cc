#include "launcher/key_name.h"

#include <gtest/gtest.h>

#include <string>

#include "launcher/script_reading.h"

namespace launcher {
namespace {

// The key a name between "[" (or "[-") and its "]" gives, its units read as single bytes or as UTF-16.
unsigned Judge(const std::u16string &name, bool singleByte, bool deletion) {
  KeyName key;
  for (const char16_t unit : name) AddToKeyName(key, unit, singleByte);
  return JudgeKey(key, EndOfKeyNameSoFar(key), deletion);
}

// Windows stores the player's policies in two trees below HKEY_CURRENT_USER that only administrators may
// write. The registry reads a run of "\" in a path as one separator (Wine's editor shows it; Windows'
// documentation says nothing of it, so it is taken to as well), folds "ı" and "ſ" to "I" and "S", and a
// deletion takes every key below the one it names.
TEST(KeyNameTest, TellsTheRootAndWhetherThePolicyTreesAreTouched) {
  const std::u16string longName(200, u'x');
  const std::u16string separators(200, u'\\');
  struct Case {
    const char *what;
    std::u16string name;
    bool deletion;
    bool singleByte;
    unsigned bit;
  } cases[] = {
      {"the player's own key", u"HKEY_CURRENT_USER\\Software\\Demo", false, true, kCurrentUserBit},
      {"a doubled separator", u"HKEY_CURRENT_USER\\Software\\\\Policies\\X", false, true, kCurrentUserPolicyBit},
      {"separators right after the root", u"HKEY_CURRENT_USER\\\\\\Software\\Policies", false, true, kCurrentUserPolicyBit},
      {"the tree with trailing separators", u"hkey_current_user\\SOFTWARE\\policies\\\\", false, true, kCurrentUserPolicyBit},
      {"past the kept length, separators", u"HKEY_CURRENT_USER\\Software" + separators + u"Policies", false, true,
       kCurrentUserPolicyBit},
      {"past the kept length, below the tree", u"HKEY_CURRENT_USER\\Software\\Policies\\" + longName, false, true,
       kCurrentUserPolicyBit},
      {"past the kept length, elsewhere", u"HKEY_CURRENT_USER\\Software\\" + longName, false, true, kCurrentUserBit},
      {"a name that begins like the tree", u"HKEY_CURRENT_USER\\Software\\PoliciesDemo", false, true, kCurrentUserBit},
      {"a key above the tree, created", u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion", false,
       true, kCurrentUserBit},
      {"a key above the tree, deleted", u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion", true,
       true, kCurrentUserPolicyBit},
      {"Software, deleted", u"HKEY_CURRENT_USER\\Software", true, true, kCurrentUserPolicyBit},
      {"Software and separators, deleted", u"HKEY_CURRENT_USER\\\\Software\\\\", true, true, kCurrentUserPolicyBit},
      {"the root, deleted", u"HKEY_CURRENT_USER", true, true, kCurrentUserPolicyBit},
      {"the root and a separator, deleted", u"HKEY_CURRENT_USER\\", true, true, kCurrentUserPolicyBit},
      {"the root, created", u"HKEY_CURRENT_USER", false, true, kCurrentUserBit},
      {"a key beside the tree, deleted", u"HKEY_CURRENT_USER\\Software\\Demo", true, true, kCurrentUserBit},
      {"a name that begins like a key above, deleted", u"HKEY_CURRENT_USER\\Softwar", true, true, kCurrentUserBit},
      {"a key above the tree and more, deleted", u"HKEY_CURRENT_USER\\Software\\Microsoft\\" + longName, true, true,
       kCurrentUserBit},
      {"UTF-16 dotless i", u"HKEY_CURRENT_USER\\Software\\Pol\u0131cies", false, false, kCurrentUserPolicyBit},
      {"UTF-16 long s", u"HKEY_CURRENT_USER\\\u017Foftware\\Policies", false, false, kCurrentUserPolicyBit},
      {"UTF-16 i with an accent", u"HKEY_CURRENT_USER\\Software\\Pol\u00EDcies", false, false, kCurrentUserBit},
      {"code page 1254's dotless i", u"HKEY_CURRENT_USER\\Software\\Pol\u00FDcies", false, true, kCurrentUserPolicyBit},
      {"code page 949's dotless i", u"HKEY_CURRENT_USER\\Software\\Pol\u00A9\u00A5cies", false, true,
       kCurrentUserPolicyBit},
      {"three bytes are no i", u"HKEY_CURRENT_USER\\Software\\Pol\u00E2\u0080\u00A0cies", false, true, kCurrentUserBit},
      {"a byte where no i or s is", u"HKEY_CURRENT_USER\\Software\\Caf\u00E9", true, true, kCurrentUserBit},
      {"a folded letter in the root", u"HKEY_CURRENT_U\u017FER\\Software", false, false, kOtherRootBit},
      {"another root, any case", u"hkey_local_machine\\Software", false, true, kLocalMachineBit},
      {"an abbreviated root", u"HKLM\\Software", false, true, kOtherRootBit},
      {"no root", u"", false, true, kOtherRootBit},
      {"a root longer than any", u"HKEY_CURRENT_USER_AND_MORE_STILL\\X", false, true, kOtherRootBit},
  };
  for (const Case &c : cases) EXPECT_EQ(Judge(c.name, c.singleByte, c.deletion), c.bit) << c.what;
}

}  // namespace
}  // namespace launcher
