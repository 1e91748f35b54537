#include "launcher/key_name.h"

#include <string_view>

#include "launcher/script_reading.h"
#include "platform/text.h"

namespace launcher {
namespace {

// The trees below HKEY_CURRENT_USER that only administrators may write: Windows keeps the player's
// policies there.
constexpr const char *kCurrentUserPolicyTrees[] = {
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
};

// Whether the path ends at position p, a separator at its end aside.
bool EndsAt(const PathSoFar &path, std::size_t p) {
  return path.whole && (p == path.length || (p + 1 == path.length && path.chars[p] == '\\'));
}

// Whether the path lies in the tree or below it or, for a deletion, ends on the way to it (the tree's
// root included). Matched a character of the tree's name at a time, from every position of the path the
// characters before may have led to: a letter the player's code page may write as bytes above 127 ("I"
// or "S") matches one or two of them.
bool InOrAboveTree(const PathSoFar &path, const char *tree, bool deletion) {
  // Bit d: the tree's first t characters may lead to the path's position t + d (d is at most the number
  // of letters matched by two bytes, fewer than 32).
  unsigned at = 1;
  for (std::size_t t = 0;; ++t) {
    const char letter = AsciiUpper(tree[t]);  // '\0' past the tree's name
    unsigned next = 0;
    for (unsigned d = 0; (at >> d) != 0; ++d) {
      const std::size_t p = t + d;
      if ((at >> d & 1) == 0 || p > path.length) continue;
      const bool ends = EndsAt(path, p);
      const char c = p < path.length ? path.chars[p] : '\0';
      if (letter == '\0' ? ends || c == '\\' : deletion && (t == 0 || letter == '\\') && ends) return true;
      if (c != '\0' && AsciiUpper(c) == letter) next |= 1u << d;
      if (c == kHighByte && (letter == 'I' || letter == 'S')) {
        next |= 1u << d;
        if (p + 1 < path.length && path.chars[p + 1] == kHighByte) next |= 2u << d;
      }
    }
    if (letter == '\0') return false;
    at = next;
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
    for (const char *tree : kCurrentUserPolicyTrees) {
      if (InOrAboveTree(path, tree, deletion)) return kCurrentUserPolicyBit;
    }
    return kCurrentUserBit;
  }
  return kOtherRootBit;
}

}  // namespace launcher
