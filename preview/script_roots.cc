#include "preview/script_roots.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "preview/preview.h"

namespace launcher::preview {
namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kClassesRoot = "HKEY_CLASSES_ROOT";

// The longest first line or root name worth keeping: longer ones match none of the names above.
constexpr std::size_t kNameCapacity = 40;

// The script read one character at a time (a byte, or a UTF-16 code unit), whatever the size of the parts
// it is read in.
struct Scan {
  bool firstLine = true;
  bool done = false;
  bool lineStart = true;  // only blanks so far on this line
  bool inKeyName = false;  // after "[" at the start of a line, up to the root's end
  std::array<char, kNameCapacity> name{};
  std::size_t nameLength = 0;  // more than the capacity when the name is longer
  ScriptRoots roots;
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool NameIs(const Scan &scan, std::string_view expected, bool ignoreCase) {
  if (scan.nameLength != expected.size()) return false;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const char c = ignoreCase ? Upper(scan.name[i]) : scan.name[i];
    if (c != expected[i]) return false;
  }
  return true;
}

void Collect(Scan &scan, unsigned unit) {
  // A character beyond ASCII is no part of any name looked for: it spoils the match.
  if (scan.nameLength < kNameCapacity) scan.name[scan.nameLength] = unit < 0x80 ? static_cast<char>(unit) : '\x01';
  ++scan.nameLength;
}

// The first line names the script's form; anything else and the editor refuses the script.
void EndFirstLine(Scan &scan) {
  while (scan.nameLength > 0 && scan.nameLength <= kNameCapacity &&
         (scan.name[scan.nameLength - 1] == ' ' || scan.name[scan.nameLength - 1] == '\t')) {
    --scan.nameLength;
  }
  scan.roots.readable = NameIs(scan, kRegedit4, false) || NameIs(scan, kVersion5, false);
  scan.done = !scan.roots.readable;
  scan.firstLine = false;
  scan.nameLength = 0;
}

void EndKeyName(Scan &scan) {
  scan.roots.localMachine = scan.roots.localMachine || NameIs(scan, kLocalMachine, true);
  scan.roots.classesRoot = scan.roots.classesRoot || NameIs(scan, kClassesRoot, true);
  scan.inKeyName = false;
  scan.nameLength = 0;
}

void Take(Scan &scan, unsigned unit) {
  const bool lineEnd = unit == '\r' || unit == '\n';
  if (scan.firstLine) {
    if (lineEnd) {
      EndFirstLine(scan);
    } else {
      Collect(scan, unit);
    }
    return;
  }
  if (scan.inKeyName) {
    if (!lineEnd && unit != '\\' && unit != ']') {
      // "[-" deletes the key: the root's name follows the minus.
      if (unit != '-' || scan.nameLength != 0) Collect(scan, unit);
      return;
    }
    EndKeyName(scan);
  }
  if (lineEnd) {
    scan.lineStart = true;
  } else if (scan.lineStart && unit == '[') {
    scan.inKeyName = true;
    scan.lineStart = false;
  } else if (unit != ' ' && unit != '\t') {
    scan.lineStart = false;
  }
}

}  // namespace

ScriptRoots ReadScriptRoots(const char *path) {
  Scan scan;
  bool wide = false;  // UTF-16LE, after its byte-order mark
  std::array<unsigned char, 4096> buffer{};
  unsigned long long offset = 0;
  bool lowByteHeld = false;
  unsigned char lowByte = 0;
  while (!scan.done) {
    const long read = ReadFilePart(path, offset, buffer.data(), buffer.size());
    if (read < 0) return ScriptRoots{};
    if (read == 0) break;
    std::size_t at = 0;
    if (offset == 0 && read >= 2 && buffer[0] == 0xFF && buffer[1] == 0xFE) {
      wide = true;
      at = 2;
    } else if (offset == 0 && read >= 3 && buffer[0] == 0xEF && buffer[1] == 0xBB && buffer[2] == 0xBF) {
      at = 3;  // UTF-8's byte-order mark, which the editor takes too
    }
    offset += static_cast<unsigned long long>(read);
    for (; at < static_cast<std::size_t>(read) && !scan.done; ++at) {
      if (!wide) {
        Take(scan, buffer[at]);
      } else if (!lowByteHeld) {
        lowByte = buffer[at];
        lowByteHeld = true;
      } else {
        Take(scan, lowByte | static_cast<unsigned>(buffer[at]) << 8);
        lowByteHeld = false;
      }
    }
  }
  if (scan.firstLine) EndFirstLine(scan);  // a script of one line, or empty
  if (scan.inKeyName) EndKeyName(scan);
  return scan.roots;
}

}  // namespace launcher::preview
