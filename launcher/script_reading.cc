#include "launcher/script_reading.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "launcher/script_decoding.h"
#include "platform/text.h"

namespace launcher {
namespace {

constexpr std::string_view kHeader31 = "REGEDIT";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

// The longest header or root name worth keeping: longer ones match none of the names looked for.
constexpr std::size_t kNameCapacity = 40;

// The trees below HKEY_CURRENT_USER that only administrators may write: Windows keeps the player's
// policies there.
constexpr std::string_view kCurrentUserPolicyTrees[] = {
    "Software\\Policies",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
};
// Enough of a key's path below its root to tell whether it lies in one of them.
constexpr std::size_t kPathCapacity = 64;

// Where the reading stands on the current line. The editor reads a line at a time and never looks back:
// a key line is "[ROOT\path]" (or "[-ROOT\path]") after blanks, up to the line's last "]"; a hex value
// that ends in "\" goes on in the next lines, where a line that is no hex data is dropped whole.
enum class Line : unsigned char {
  kStart,            // blanks so far
  kKeyFirst,         // just after "["
  kKeyDeletion,      // just after "[-"
  kKeyRoot,          // the key's root, up to its first "\"
  kKeyPath,          // after it
  kValueName,        // in a quoted value name
  kValueNameEscape,  // after a "\" there
  kDataStart,        // after the value name: blanks and "="
  kDataType,         // "hex:" or "hex(N):", or any other type
  kHexType,          // the digits of "hex(N"
  kHexTypeColon,     // after "hex(N)"
  kHexNumberStart,   // hex data: before a number
  kHexNumber,        // in a number
  kHexBackslash,     // after the "\" that continues the data in the next line
  kHexComment,       // a comment after it, or a comment line within the data
  kContinuation,     // a line of continued hex data: blanks so far
  kIgnored,          // nothing more of this line matters
};

template <std::size_t Capacity>
struct Name {
  std::array<char, Capacity> chars{};
  std::size_t length = 0;  // more than the capacity when the name is longer
};

struct Scan {
  ScriptReading reading;
  Line line = Line::kStart;
  bool lastWasReturn = false;  // "\r\n" ends one line
  Name<kNameCapacity> name;
  std::size_t lastBracket = 0;  // how many characters of the key's root come before its last "]"; 0: none
  Name<kPathCapacity> path;     // the key's path after its root's "\"
  std::size_t lastPathBracket = 0;  // the same for its path
  unsigned number = 0;  // the hex number or type read so far
  std::size_t digits = 0;
};

bool IsBlank(unsigned unit) { return unit == ' ' || unit == '\t'; }

bool IsHexDigit(unsigned unit) {
  return (unit >= '0' && unit <= '9') || (unit >= 'a' && unit <= 'f') || (unit >= 'A' && unit <= 'F');
}

unsigned HexValue(unsigned unit) {
  return unit <= '9' ? unit - '0' : (unit | 0x20) - 'a' + 10;
}

template <std::size_t Capacity>
void Collect(Name<Capacity> &name, unsigned unit) {
  // A character beyond ASCII is part of no name looked for: it spoils the match.
  if (name.length < Capacity) name.chars[name.length] = unit < 0x80 ? static_cast<char>(unit) : '\x01';
  ++name.length;
}

// The first `length` characters of the name, when they are all kept.
template <std::size_t Capacity>
bool Is(const Name<Capacity> &name, std::size_t length, std::string_view expected, bool ignoreCase) {
  if (length != expected.size() || length > Capacity) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (ignoreCase ? AsciiUpper(name.chars[i]) != AsciiUpper(expected[i]) : name.chars[i] != expected[i]) return false;
  }
  return true;
}

bool StartsWith(const Name<kNameCapacity> &name, std::string_view prefix) {
  return name.length >= prefix.size() && Is(name, prefix.size(), prefix, false);
}

// Whether a key's path, its first `length` characters, is one of the policy trees or lies below one.
bool InPolicyTree(const Name<kPathCapacity> &path, std::size_t length) {
  for (const std::string_view tree : kCurrentUserPolicyTrees) {
    if (length < tree.size() || !Is(path, tree.size(), tree, true)) continue;
    if (length == tree.size() || (tree.size() < kPathCapacity && path.chars[tree.size()] == '\\')) return true;
  }
  return false;
}

// A key's root, its first `length` characters, and the first `pathLength` characters of its path.
void NameRoot(Scan &scan, std::size_t length, std::size_t pathLength) {
  for (const ScriptRootName &root : kScriptRoots) {
    if (Is(scan.name, length, root.name, true)) {
      const bool policy = root.bit == kCurrentUserBit && InPolicyTree(scan.path, pathLength);
      scan.reading.roots |= policy ? kCurrentUserPolicyBit : root.bit;
      return;
    }
  }
  scan.reading.roots |= kOtherRootBit;
}

void EndHeader(Scan &scan) {
  const Name<kNameCapacity> &name = scan.name;
  ScriptForm &form = scan.reading.form;
  if (Is(name, name.length, kHeader31, false)) {
    form = ScriptForm::kWindows31;
  } else if (Is(name, name.length, kHeader4, false)) {
    form = ScriptForm::kRegedit4;
  } else if (Is(name, name.length, kHeader5, false)) {
    form = ScriptForm::kVersion5;
  } else {
    form = StartsWith(name, kHeader31) ? ScriptForm::kIgnoredHeader : ScriptForm::kNotAScript;
  }
}

// A key line names the key up to its last "]"; its root ends at the first "\" or there.
void EndKeyLine(Scan &scan) {
  if (scan.line == Line::kKeyPath && scan.lastPathBracket != 0) {
    NameRoot(scan, scan.name.length, scan.lastPathBracket - 1);
  } else if (scan.lastBracket != 0) {
    NameRoot(scan, scan.lastBracket - 1, 0);
  }
}

void EndLine(Scan &scan) {
  bool continued = false;
  switch (scan.line) {
    case Line::kKeyRoot:
    case Line::kKeyPath: EndKeyLine(scan); break;
    case Line::kHexBackslash:
    case Line::kHexComment:
    case Line::kContinuation: continued = true; break;
    default: break;
  }
  scan.name = {};
  scan.path = {};
  scan.digits = 0;
  scan.lastBracket = 0;
  scan.lastPathBracket = 0;
  scan.line = continued ? Line::kContinuation : Line::kStart;
}

// A character of the key's name, up to its root's end.
void TakeInKeyRoot(Scan &scan, unsigned unit) {
  scan.line = Line::kKeyRoot;
  if (unit == '\\') {
    scan.line = Line::kKeyPath;
    return;
  }
  Collect(scan.name, unit);
  if (unit == ']') scan.lastBracket = scan.name.length;
}

// One character of a line of the two current forms.
void TakeInLine(Scan &scan, unsigned unit) {
  switch (scan.line) {
    case Line::kStart:
      if (unit == '[') {
        scan.line = Line::kKeyFirst;
      } else if (unit == '"') {
        scan.line = Line::kValueName;
      } else if (unit == '@') {
        scan.line = Line::kDataStart;
      } else if (!IsBlank(unit)) {
        scan.line = Line::kIgnored;
      }
      return;
    case Line::kKeyFirst:
      if (IsBlank(unit)) {
        scan.line = Line::kIgnored;
      } else if (unit == '-') {
        scan.line = Line::kKeyDeletion;
      } else {
        TakeInKeyRoot(scan, unit);
      }
      return;
    case Line::kKeyDeletion:
      // A deletion names its key from the root on; anything else deletes nothing.
      if (unit == 'H' || unit == 'h') {
        TakeInKeyRoot(scan, unit);
      } else {
        scan.line = Line::kIgnored;
      }
      return;
    case Line::kKeyRoot:
      TakeInKeyRoot(scan, unit);
      return;
    case Line::kKeyPath:
      Collect(scan.path, unit);
      if (unit == ']') scan.lastPathBracket = scan.path.length;
      return;
    case Line::kValueName:
      if (unit == '\\') scan.line = Line::kValueNameEscape;
      if (unit == '"') scan.line = Line::kDataStart;
      return;
    case Line::kValueNameEscape:
      scan.line = unit == '0' ? Line::kIgnored : Line::kValueName;
      return;
    case Line::kDataStart:
      if (unit == '=') {
        scan.line = Line::kDataType;
      } else if (!IsBlank(unit)) {
        scan.line = Line::kIgnored;
      }
      return;
    case Line::kDataType: {
      if (scan.digits == 0 && IsBlank(unit)) return;
      // Only hex data goes on past its line: "hex:" or "hex(N):".
      constexpr std::string_view kHex = "hex";
      if (scan.digits < kHex.size()) {
        scan.line = unit == static_cast<unsigned char>(kHex[scan.digits]) ? Line::kDataType : Line::kIgnored;
        ++scan.digits;
      } else {
        scan.line = unit == ':' ? Line::kHexNumberStart : unit == '(' ? Line::kHexType : Line::kIgnored;
        scan.digits = 0;
      }
      return;
    }
    case Line::kHexType:
      // At most eight digits, which the editor reads as a 32-bit type.
      if (IsHexDigit(unit) && scan.digits < 8) {
        ++scan.digits;
      } else {
        scan.line = unit == ')' && scan.digits > 0 ? Line::kHexTypeColon : Line::kIgnored;
      }
      return;
    case Line::kHexTypeColon:
      scan.line = unit == ':' ? Line::kHexNumberStart : Line::kIgnored;
      return;
    case Line::kHexNumberStart:
    case Line::kContinuation:
      if (IsHexDigit(unit)) {
        scan.line = Line::kHexNumber;
        scan.number = HexValue(unit);
      } else if (unit == ';' && scan.line == Line::kContinuation) {
        scan.line = Line::kHexComment;
      } else if (unit == '\\' && scan.line == Line::kHexNumberStart) {
        scan.line = Line::kHexBackslash;
      } else if (!IsBlank(unit)) {
        // The end of the data, a comment after it, or a line that is no data: nothing goes on.
        scan.line = Line::kIgnored;
      }
      return;
    case Line::kHexNumber:
      if (IsHexDigit(unit)) {
        scan.number = scan.number * 16 + HexValue(unit);
        if (scan.number > 0xFF) scan.line = Line::kIgnored;
      } else {
        // A comma goes on to the next byte; blanks or a comment end the data; anything else spoils it.
        scan.line = unit == ',' ? Line::kHexNumberStart : Line::kIgnored;
      }
      return;
    case Line::kHexBackslash:
      if (unit == ';') {
        scan.line = Line::kHexComment;
      } else if (!IsBlank(unit)) {
        scan.line = Line::kIgnored;
      }
      return;
    default:
      return;
  }
}

// One unit of a line of the two current forms; the line ends, and another begins, at "\r", "\n" or "\r\n".
void Take(Scan &scan, unsigned unit) {
  const bool afterReturn = scan.lastWasReturn;
  scan.lastWasReturn = unit == '\r';
  if (unit == '\n' && afterReturn) return;
  if (unit == '\r' || unit == '\n') {
    EndLine(scan);
  } else {
    TakeInLine(scan, unit);
  }
}

// The header line: its text after leading blanks, up to the line's end. The editor reads no further when
// it is not one of the two current forms.
void ReadHeader(ScriptDecoder &decoder, Scan &scan) {
  unsigned unit = 0;
  while (NextUnit(decoder, unit)) {
    if (unit == '\r' || unit == '\n' || unit == 0) {
      scan.reading.nulByte = unit == 0;
      scan.lastWasReturn = unit == '\r';
      break;
    }
    if (scan.name.length != 0 || !IsBlank(unit)) Collect(scan.name, unit);
  }
  EndHeader(scan);
  scan.name = {};
}

// The Windows 3.1 form knows one root: a line that begins with "HKEY_CLASSES_ROOT", as written, then "\\", a
// blank or its end, sets a value below it; every other line is passed over.
void ReadWindows31Lines(ScriptDecoder &decoder, ScriptReading &reading) {
  constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT";
  constexpr std::size_t kPassedOver = kRoot.size() + 1;
  std::size_t matched = 0;  // how much of the line's start is the root's name; kPassedOver: the line is done
  unsigned unit = 0;
  while (!reading.nulByte && NextUnit(decoder, unit)) {
    reading.nulByte = unit == 0;
    const bool lineEnd = unit == '\r' || unit == '\n' || unit == 0;
    if (matched == kRoot.size() && (lineEnd || IsBlank(unit) || unit == '\\')) reading.roots |= kClassesRootBit;
    if (lineEnd) {
      matched = 0;
    } else if (matched < kRoot.size() && unit == static_cast<unsigned char>(kRoot[matched])) {
      ++matched;
    } else {
      matched = kPassedOver;
    }
  }
  if (matched == kRoot.size()) reading.roots |= kClassesRootBit;  // the last line, without its end
}

}  // namespace

ScriptReading ReadRegistryScript(const char *path) {
  ScriptDecoder decoder;
  switch (OpenScript(path, decoder)) {
    case ScriptOpening::kMissing: return ScriptReading{ScriptForm::kMissing};
    case ScriptOpening::kUnreadable: return ScriptReading{ScriptForm::kUnreadable};
    case ScriptOpening::kOpen: break;
  }
  Scan scan;
  scan.reading.utf8ByteOrderMark = decoder.encoding == ScriptEncoding::kSingleByteMarked;
  ReadHeader(decoder, scan);
  if (scan.reading.nulByte) return scan.reading;
  if (scan.reading.form == ScriptForm::kWindows31) {
    ReadWindows31Lines(decoder, scan.reading);
    return decoder.unreadable ? ScriptReading{ScriptForm::kUnreadable} : scan.reading;
  }
  if (scan.reading.form != ScriptForm::kRegedit4 && scan.reading.form != ScriptForm::kVersion5) return scan.reading;
  // A NUL ends the reading: what the editors make of the rest cannot be told.
  unsigned unit = 0;
  while (!scan.reading.nulByte && NextUnit(decoder, unit)) {
    scan.reading.nulByte = unit == 0;
    if (!scan.reading.nulByte) Take(scan, unit);
  }
  if (decoder.unreadable) return ScriptReading{ScriptForm::kUnreadable};
  EndLine(scan);  // the last line, without its line end, or the line a NUL ends
  return scan.reading;
}

bool NeedsAdministratorRights(const ScriptReading &reading) {
  if (reading.nulByte) return true;
  if (reading.form == ScriptForm::kMissing) return false;
  const bool currentForm = reading.form == ScriptForm::kRegedit4 || reading.form == ScriptForm::kVersion5;
  return !currentForm || (reading.roots & ~static_cast<unsigned>(kCurrentUserBit)) != 0;
}

}  // namespace launcher
