#include "launcher/key_name.h"

#include <bit>
#include <cstdint>
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

// Positions in the kept path, one bit each (0 to kKeyPathCapacity).
using Positions = std::uint64_t;
static_assert(kKeyPathCapacity < 64);

char PathCharacter(unsigned unit, bool singleByte) {
  if (unit < 0x80) return static_cast<char>(unit);
  if (singleByte) return kHighByte;
  if (unit == 0x130 || unit == 0x131) return 'i';
  return unit == 0x17F ? 's' : kForeignCharacter;
}

// Whether a letter of a tree's name may be written as one or two bytes above 127 in some code page.
bool MayBeHighBytes(char letter) { return AsciiUpper(letter) == 'I' || AsciiUpper(letter) == 'S'; }

// Where the kept path, its first `length` characters, may stand after one more character of a tree's name
// is matched from each position of `at`.
Positions Step(const KeyName &key, std::size_t length, Positions at, char expected) {
  Positions next = 0;
  for (; at != 0; at &= at - 1) {
    const auto p = static_cast<std::size_t>(std::countr_zero(at));
    if (p >= length) break;
    const char c = key.path[p];
    if (AsciiUpper(c) == AsciiUpper(expected)) {
      next |= Positions{1} << (p + 1);
    } else if (c == kHighByte && MayBeHighBytes(expected)) {
      next |= Positions{1} << (p + 1);
      if (p + 1 < length && key.path[p + 1] == kHighByte) next |= Positions{1} << (p + 2);
    }
  }
  return next;
}

// Whether the path that ends at `end` lies in the tree or below it or, for a deletion, is also the tree's
// root or a key on the way to the tree.
bool InOrAboveTree(const KeyName &key, KeyEnd end, std::string_view tree, bool deletion) {
  const bool whole = end.pathLength <= kKeyPathCapacity;  // else only its beginning is kept
  const std::size_t length = whole ? end.pathLength : kKeyPathCapacity;
  const bool trailingSeparator = whole && length > 0 && key.path[length - 1] == '\\';
  // Whether the path ends at position p, a separator at its end aside.
  const auto endsAt = [&](std::size_t p) { return whole && (p == length || (trailingSeparator && p + 1 == length)); };
  Positions at = 1;  // the path's start
  for (std::size_t matched = 0; at != 0; ++matched) {
    const bool wholeTree = matched == tree.size();
    const bool onTheWay = deletion && (matched == 0 || tree[matched] == '\\');
    for (Positions rest = at; rest != 0; rest &= rest - 1) {
      const auto p = static_cast<std::size_t>(std::countr_zero(rest));
      if (wholeTree ? endsAt(p) || (p < length && key.path[p] == '\\') : onTheWay && endsAt(p)) return true;
    }
    if (wholeTree) return false;
    at = Step(key, length, at, tree[matched]);
  }
  return false;
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
    for (const std::string_view tree : kCurrentUserPolicyTrees) {
      if (InOrAboveTree(key, end, tree, deletion)) return kCurrentUserPolicyBit;
    }
    return kCurrentUserBit;
  }
  return kOtherRootBit;
}

}  // namespace launcher
