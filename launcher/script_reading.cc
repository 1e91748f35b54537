#include "launcher/script_reading.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "launcher/script_decoding.h"
#include "launcher/script_lines.h"

namespace launcher {
namespace {

constexpr std::string_view kHeader31 = "REGEDIT";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

// The longest header worth keeping: longer ones match none of the headers looked for.
constexpr std::size_t kHeaderCapacity = 40;

struct Header {
  std::array<char, kHeaderCapacity> chars{};
  std::size_t length = 0;  // more than the capacity when the line is longer
};

bool IsBlank(unsigned unit) { return unit == ' ' || unit == '\t'; }

bool Is(const Header &header, std::size_t length, std::string_view expected) {
  return length == expected.size() && length <= kHeaderCapacity &&
         std::string_view(header.chars.data(), length) == expected;
}

ScriptForm FormOf(const Header &header) {
  if (Is(header, header.length, kHeader31)) return ScriptForm::kWindows31;
  if (Is(header, header.length, kHeader4)) return ScriptForm::kRegedit4;
  if (Is(header, header.length, kHeader5)) return ScriptForm::kVersion5;
  const bool beginsLikeOne = header.length >= kHeader31.size() && Is(header, kHeader31.size(), kHeader31);
  return beginsLikeOne ? ScriptForm::kIgnoredHeader : ScriptForm::kNotAScript;
}

// The header line: its text after leading blanks, up to the line's end. The editor reads no further when
// it is not one of the two current forms.
void ReadHeader(ScriptDecoder &decoder, LineScan &scan) {
  Header header;
  unsigned unit = 0;
  while (NextUnit(decoder, unit)) {
    if (unit == '\r' || unit == '\n' || unit == 0) {
      scan.reading.nulByte = unit == 0;
      scan.lastWasReturn = unit == '\r';
      break;
    }
    if (header.length == 0 && IsBlank(unit)) continue;
    // A character beyond ASCII is part of no header: it spoils the match.
    if (header.length < kHeaderCapacity) header.chars[header.length] = unit < 0x80 ? static_cast<char>(unit) : '\x01';
    ++header.length;
  }
  scan.reading.form = FormOf(header);
}

// The Windows 3.1 form knows one root: a line that begins with "HKEY_CLASSES_ROOT", as written, then "\\", a
// blank or its end, sets a value below it; the key's name goes on to the first blank. Every other line is
// passed over.
void ReadWindows31Lines(ScriptDecoder &decoder, LineScan &scan) {
  constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT";
  constexpr std::size_t kInName = kRoot.size() + 1;  // past the root's "\": in the rest of the key's name
  constexpr std::size_t kPassedOver = kRoot.size() + 2;
  ScriptReading &reading = scan.reading;
  std::size_t matched = 0;  // how much of the line's start is the root's name, or kInName, or kPassedOver
  unsigned unit = 0;
  while (!reading.nulByte && NextUnit(decoder, unit)) {
    reading.nulByte = unit == 0;
    const bool lineEnd = unit == '\r' || unit == '\n' || unit == 0;
    if (matched == kRoot.size() && (lineEnd || IsBlank(unit) || unit == '\\')) reading.roots |= kClassesRootBit;
    if (lineEnd) {
      matched = 0;
    } else if (matched == kRoot.size() && unit == '\\') {
      matched = kInName;
    } else if (matched == kInName) {
      if (IsBlank(unit)) matched = kPassedOver;
      if (scan.singleByte && unit >= 0x80) reading.nonAsciiName = true;
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
  LineScan scan;
  scan.singleByte = decoder.encoding != ScriptEncoding::kUtf16;
  scan.reading.utf8ByteOrderMark = decoder.encoding == ScriptEncoding::kSingleByteMarked;
  ReadHeader(decoder, scan);
  if (scan.reading.nulByte) return scan.reading;
  if (scan.reading.form == ScriptForm::kWindows31) {
    ReadWindows31Lines(decoder, scan);
    return decoder.unreadable ? ScriptReading{ScriptForm::kUnreadable} : scan.reading;
  }
  if (scan.reading.form != ScriptForm::kRegedit4 && scan.reading.form != ScriptForm::kVersion5) return scan.reading;
  // A NUL ends the reading: what the editors make of the rest cannot be told.
  unsigned unit = 0;
  while (!scan.reading.nulByte && NextUnit(decoder, unit)) {
    scan.reading.nulByte = unit == 0;
    if (!scan.reading.nulByte) TakeLineUnit(scan, unit);
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
