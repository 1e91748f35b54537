// A key named by a line of the registry script, kept as the registry reads the name: the root up to the
// first "\", then the path below it, where a run of "\" is one separator and a "\" at its start is
// none. Enough of either is kept to tell the root, and whether the key lies in, or above, one of the
// trees below HKEY_CURRENT_USER that only administrators may write.
#ifndef LAUNCHER_LAUNCHER_KEY_NAME_H
#define LAUNCHER_LAUNCHER_KEY_NAME_H

#include <array>
#include <cstddef>

namespace launcher {

// How a character beyond ASCII is kept: as kForeignCharacter, which matches nothing looked for, or in a
// path as the ASCII letter the registry's case folding takes it for ("ı" and "İ" for "I", "ſ" for "S").
// A byte above 127 of a script read as single bytes is kept as kHighByte: the player's code page makes
// one or two of them one character, which may be such a letter ("\xFD" is "ı" in code page 1254,
// "\xA9\xA5" in 949, "\xC4\xB1" in UTF-8).
inline constexpr char kForeignCharacter = '\x01';
inline constexpr char kHighByte = '\x02';

inline constexpr std::size_t kKeyRootCapacity = 24;  // more than the longest root's name
inline constexpr std::size_t kKeyPathCapacity = 63;  // more than the longest policy tree's, at two bytes a letter

struct KeyName {
  std::array<char, kKeyRootCapacity> root{};
  std::size_t rootLength = 0;  // more than the capacity when the root is longer
  bool inPath = false;         // past the "\" that ends the root
  std::array<char, kKeyPathCapacity> path{};
  std::size_t pathLength = 0;  // more than the capacity when the path is longer
  char lastPathCharacter = '\0';
};

// Where a key's name may end: a "]" of its line, with as much of the name as comes before it.
struct KeyEnd {
  std::size_t rootLength = 0;
  bool inPath = false;
  std::size_t pathLength = 0;
};

// One unit of the name (a byte when `singleByte`, else a UTF-16 unit). The root's name is compared as
// written, ASCII case aside; a "\" ends it, and in the path starts a separator unless one is there.
void AddToKeyName(KeyName &key, unsigned unit, bool singleByte);

// Where the name ends if it ends here.
KeyEnd EndOfKeyNameSoFar(const KeyName &key);

// The ScriptRootBit of the key the name gives when it ends at `end`: that of its root, kOtherRootBit for
// a root the editor does not know, and kCurrentUserPolicyBit below HKEY_CURRENT_USER in a policy tree or,
// for a deletion, in one or above one (deleting HKEY_CURRENT_USER\Software deletes both trees).
unsigned JudgeKey(const KeyName &key, KeyEnd end, bool deletion);

}  // namespace launcher

#endif
