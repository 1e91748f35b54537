#include "launcher/script_reading.h"

#include <string>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

using namespace std::string_literals;

constexpr char kScript[] = "C:\\Games\\Demo\\CONF\\TMPFILE.TXT";

std::string Utf16(const std::string &text) {
  std::string wide = "\xFF\xFE";
  for (const char c : text) wide += {c, '\0'};
  return wide;
}

class ScriptReadingTest : public PlatformTest {
 protected:
  static ScriptReading Read(const std::string &content) {
    Fake().contents[kScript] = content;
    return ReadRegistryScript(kScript);
  }
};

// The editor asks for the account's highest rights, and Windows for consent, only where the script needs
// them: anything below another root than the player's own hive, or in or above its policy trees, or a
// script the reading cannot vouch for. Names beyond ASCII in a script read as single bytes are read in the
// player's code page: the script then works only for players with the publisher's. Unless a case says
// otherwise, Wine's editor and Windows' documentation agree on it.
TEST_F(ScriptReadingTest, NeedsRightsForAnythingButThePlayersOwnHive) {
  const std::string hexData = "\"Bin\"=hex:01,02,\\\r\n";
  struct Case {
    const char *what;
    std::string content;  // "" for no script at all
    const char *rights;
    const char *names = "ascii";  // "code page" where a name holds a byte above 127
  } cases[] = {
      {"no script", "", "invoker"},
      {"HKCU only, a deletion too, blanks before the header",
       " \tREGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"X\"=\"[HKEY_LOCAL_MACHINE\\B]\"\r\n[-hkey_current_user\\Old]\r\n",
       "invoker"},
      {"version 5 in UTF-16LE, HKLM past the first part read",
       Utf16("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"Pad\"=\"" + std::string(5000, 'x') +
             "\"\r\n[HKEY_LOCAL_MACHINE\\Software\\B]\r\n"),
       "asking"},
      {"a deletion below HKEY_USERS", "REGEDIT4\n[-HKEY_USERS\\S-1-5-18\\X]\n", "asking"},
      {"a root the editor does not know", "REGEDIT4\n[HKLM\\Software\\X]\n", "asking"},
      {"the Windows 3.1 form", "REGEDIT\nHKEY_CLASSES_ROOT\\.demo = Demo\n", "asking"},
      {"the Windows 3.1 form, a name beyond ASCII", "REGEDIT\nHKEY_CLASSES_ROOT\\.d\xE9mo = D\xE9mo\n", "asking",
       "code page"},
      {"a header that imports nothing", "REGEDIT 4\n[HKEY_CURRENT_USER\\A]\n", "asking"},
      {"a blank line before the header", "\nREGEDIT4\n[HKEY_CURRENT_USER\\A]\n", "asking"},
      {"no closing bracket: no key", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\n[HKEY_CURRENT_USER\\A]\n", "invoker"},
      {"a key line inside continued hex data is dropped",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n" + hexData + "\r\n; between\r\n  03,\\\r\n[HKEY_LOCAL_MACHINE\\B]\r\n", "invoker"},
      {"hex data that does not go on leaves the next key line a key",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"Bin\"=hex:01,02\\\n[HKEY_LOCAL_MACHINE\\B]\n", "asking"},
      {"the player's policies, any case", "REGEDIT4\n[hkey_current_user\\SOFTWARE\\policies\\Demo]\n", "asking"},
      {"the policy tree itself, deleted", "REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Policies]\n", "asking"},
      {"the other policy tree",
       "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n", "asking"},
      {"a name that only begins like a policy tree",
       "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\PoliciesDemo]\n[HKEY_CURRENT_USER\\Software\\Demo\\Policies]\n", "invoker"},
      {"a doubled backslash before the policy tree (Wine shows it)",
       "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\\\Policies\\Demo]\n", "asking"},
      {"backslashes right after the root and at the end",
       "REGEDIT4\n[HKEY_CURRENT_USER\\\\Software\\Policies\\\\]\n", "asking"},
      {"the policy trees' parents, deleted (Wine shows it)", "REGEDIT4\n[-HKEY_CURRENT_USER\\Software]\n", "asking"},
      {"a policy tree's parent, deleted",
       "REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion]\n", "asking"},
      {"the player's hive, deleted (Wine's editor stops there; Windows' documentation does not say)",
       "REGEDIT4\n[-HKEY_CURRENT_USER]\n", "asking"},
      {"a policy tree's parent, created", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion]\n",
       "invoker"},
      {"a key beside the trees, deleted", "REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Demo]\n", "invoker"},
      {"UTF-16: a dotless i the registry folds to I",
       Utf16("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Pol") + "\x31\x01" + Utf16("cies]\r\n").substr(2), "asking"},
      {"UTF-16: a name beyond ASCII depends on no code page",
       Utf16("REGEDIT4\r\n[HKEY_CURRENT_USER\\Caf") + "\xE9" + '\0' + Utf16("]\r\n").substr(2), "invoker"},
      {"a name beyond ASCII", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Caf\xE9 Studio]\n", "invoker", "code page"},
      {"a value name beyond ASCII", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"Caf\xE9\"=\"1\"\n", "invoker", "code page"},
      {"a value name beyond ASCII that another code page may close",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\x81\\\"=1\n", "invoker", "code page"},
      {"only data and comments beyond ASCII",
       "REGEDIT4\n; Caf\xE9\n[HKEY_CURRENT_USER\\A] \xE9\n\"Name\"=\"Caf\xE9\"\n", "invoker"},
      {"code page 1254's dotless i", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Pol\xFD" "cies\\Demo]\n", "asking",
       "code page"},
      {"in two-byte code pages, a last ']' that is a character's second byte",
       "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Policies]\\Demo\x81]\n", "asking", "code page"},
      {"in two-byte code pages, an escape that is a character's second byte",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\x81\\\\\"=hex:01,\\\n[HKEY_LOCAL_MACHINE\\B]\n", "asking", "code page"},
      {"UTF-8's byte-order mark reads as single bytes",
       "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\\xC3\xA9]\r\n", "invoker", "code page"},
      {"an HKLM key after a NUL byte", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\0\n[HKEY_LOCAL_MACHINE\\B]\n"s,
       "asking"},
      {"a NUL unit in UTF-16", Utf16("REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\0\r\n"s), "asking"},
  };
  for (const Case &c : cases) {
    Fake() = FakePlatform();
    if (!c.content.empty()) Fake().contents[kScript] = c.content;
    const ScriptReading reading = ReadRegistryScript(kScript);
    EXPECT_EQ(NeedsAdministratorRights(reading) ? "asking" : "invoker", std::string(c.rights)) << c.what;
    EXPECT_EQ(reading.nonAsciiName ? "code page" : "ascii", std::string(c.names)) << c.what;
  }
}

TEST_F(ScriptReadingTest, TellsTheFormTheRootsAndWhatTheEditorsReadDifferently) {
  EXPECT_EQ(ReadRegistryScript(kScript).form, ScriptForm::kMissing);
  Fake().unreadable = {kScript};
  EXPECT_EQ(ReadRegistryScript(kScript).form, ScriptForm::kUnreadable);
  Fake().unreadable.clear();

  ScriptReading reading = Read(Utf16("Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\A]\r\n"
                                     "[-HKEY_CURRENT_USER\\B]\r\n[HKEY_USERS\\C]"));
  EXPECT_EQ(reading.form, ScriptForm::kVersion5);
  EXPECT_EQ(reading.roots, kLocalMachineBit | kCurrentUserBit | kUsersBit);  // the last line without its end
  EXPECT_FALSE(reading.utf8ByteOrderMark);

  reading = Read("\xEF\xBB\xBFREGEDIT4\n[HKEY_CURRENT_USER\\Software\\Policies\\Demo]\n[HKCU\\X]\n");
  EXPECT_EQ(reading.form, ScriptForm::kRegedit4);
  EXPECT_TRUE(reading.utf8ByteOrderMark);
  EXPECT_EQ(reading.roots, kCurrentUserPolicyBit | kOtherRootBit);

  // The line a NUL ends still counts; nothing after it is read.
  reading = Read("REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\0\n[HKEY_LOCAL_MACHINE\\B]\n"s);
  EXPECT_TRUE(reading.nulByte);
  EXPECT_EQ(reading.roots, kClassesRootBit);
  reading = Read("REGEDIT4\0\n[HKEY_LOCAL_MACHINE\\B]\n"s);
  EXPECT_EQ(reading.form, ScriptForm::kRegedit4);
  EXPECT_TRUE(reading.nulByte);
  EXPECT_EQ(reading.roots, 0u);

  // The 3.1 form writes only where a line begins with the root's name, as written.
  reading = Read("REGEDIT\n HKEY_CLASSES_ROOT\\.a = A\nhkey_classes_root\\.b = B\nHKEY_CLASSES_ROOTS\\.c = C\n");
  EXPECT_EQ(reading.form, ScriptForm::kWindows31);
  EXPECT_EQ(reading.roots, 0u);
  EXPECT_EQ(Read("REGEDIT\r\nHKEY_LOCAL_MACHINE\\X = 1\r\nHKEY_CLASSES_ROOT\\.demo = Demo").roots, kClassesRootBit);
  EXPECT_EQ(Read("REGEDIT\nHKEY_CLASSES_ROOT").roots, kClassesRootBit);
  EXPECT_EQ(Read("REGEDIT5\n[HKEY_LOCAL_MACHINE\\B]\n").form, ScriptForm::kIgnoredHeader);
  EXPECT_EQ(Read("").form, ScriptForm::kNotAScript);
}

}  // namespace
}  // namespace launcher
