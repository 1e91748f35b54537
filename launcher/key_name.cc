#include "launcher/key_name.h"

#include <string_view>

#include "launcher/script_reading.h"
#include "platform/text.h"

namespace launcher {
namespace {

// The trees below HKEY_CURRENT_USER that only administrators may write: Windows keeps the player's
// policies there.
constexpr std::string_view kCurrentUserPolicyTrees[] = {
    "Software\\Policies",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
};

char PathCharacter(unsigned unit, bool singleByte) {
  if (unit < 0x80) return static_cast<char>(unit);
  if (singleByte) return kHighByte;
  if (unit == 0x130 || unit == 0x131) return 'i';
  return unit == 0x17F ? 's' : kForeignCharacter;
}

// The path as far as a key's name goes: its first `length` characters, all of it when `whole`.
struct PathSoFar {
  const char *chars;
  std::size_t length;
  bool whole;

  // Whether the path ends at position p, a separator at its end aside.
  bool EndsAt(std::size_t p) const {
    return whole && (p == length || (p + 1 == length && chars[p] == '\\'));
  }
};

// Whether the path from position p on matches the tree's name from t on and lies in the tree or below
// it; or, for a deletion, ends on the way to it. A letter the player's code page may write as bytes
// above 127 ("I" or "S") matches one or two of them.
bool InOrAboveTree(const PathSoFar &path, std::size_t p, std::string_view tree, std::size_t t, bool deletion) {
  for (;; ++p, ++t) {
    if (t == tree.size()) return path.EndsAt(p) || (p < path.length && path.chars[p] == '\\');
    if (deletion && (t == 0 || tree[t] == '\\') && path.EndsAt(p)) return true;
    if (p == path.length) return false;
    const char c = path.chars[p];
    if (c == kHighByte && (AsciiUpper(tree[t]) == 'I' || AsciiUpper(tree[t]) == 'S')) {
      if (p + 1 < path.length && path.chars[p + 1] == kHighByte && InOrAboveTree(path, p + 2, tree, t + 1, deletion)) {
        return true;
      }
    } else if (AsciiUpper(c) != AsciiUpper(tree[t])) {
      return false;
    }
  }
}

}  // namespace

void AddToKeyName(KeyName &key, unsigned unit, bool singleByte) {
  if (!key.inPath) {
    if (unit == '\\') {
      key.inPath = true;
      return;
    }
    if (key.rootLength < kKeyRootCapacity) {
      key.root[key.rootLength] = unit < 0x80 ? static_cast<char>(unit) : kForeignCharacter;
    }
    ++key.rootLength;
    return;
  }
  const char character = PathCharacter(unit, singleByte);
  if (character == '\\' && (key.pathLength == 0 || key.lastPathCharacter == '\\')) return;
  if (key.pathLength < kKeyPathCapacity) key.path[key.pathLength] = character;
  ++key.pathLength;
  key.lastPathCharacter = character;
}

KeyEnd EndOfKeyNameSoFar(const KeyName &key) { return KeyEnd{key.rootLength, key.inPath, key.pathLength}; }

unsigned JudgeKey(const KeyName &key, KeyEnd end, bool deletion) {
  // A root longer than any kept matches none.
  const std::string_view root(key.root.data(), end.rootLength <= kKeyRootCapacity ? end.rootLength : 0);
  for (const ScriptRootName &known : kScriptRoots) {
    if (!EqualCaseAside(root, known.name)) continue;
    if (known.bit != kCurrentUserBit) return known.bit;
    const bool whole = end.pathLength <= kKeyPathCapacity;  // else only its beginning is kept
    const PathSoFar path{key.path.data(), whole ? end.pathLength : kKeyPathCapacity, whole};
    for (const std::string_view tree : kCurrentUserPolicyTrees) {
      if (InOrAboveTree(path, 0, tree, 0, deletion)) return kCurrentUserPolicyBit;
    }
    return kCurrentUserBit;
  }
  return kOtherRootBit;
}

}  // namespace launcher
