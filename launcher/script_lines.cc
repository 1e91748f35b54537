#include "launcher/script_lines.h"

#include <string_view>

namespace launcher {
namespace {

bool IsBlank(unsigned unit) { return unit == ' ' || unit == '\t'; }

bool IsHexDigit(unsigned unit) {
  return (unit >= '0' && unit <= '9') || (unit >= 'a' && unit <= 'f') || (unit >= 'A' && unit <= 'F');
}

unsigned HexValue(unsigned unit) { return unit <= '9' ? unit - '0' : (unit | 0x20) - 'a' + 10; }

bool IsHighByte(const LineScan &scan, unsigned unit) { return scan.singleByte && unit >= 0x80; }

// A key's name counts from its line's "[" to the last "]"; a value's name from its opening quote on, where
// the player's code page may end it elsewhere.
void NoteKeyNameUnit(LineScan &scan, unsigned unit) {
  if (IsHighByte(scan, unit)) scan.now.keyNameHasHighByte = true;
}

void NoteValueNameUnit(LineScan &scan, unsigned unit) {
  if (IsHighByte(scan, unit)) scan.reading.nonAsciiName = true;
}

// The editor's key ends at its line's last "]". Read in a code page of two-byte characters, a "]" right
// after a byte above 127 may be a character's second byte: the name may then end at the "]" before it.
void TakeKeyBracket(LineScan &scan) {
  LineSoFar &now = scan.now;
  if (now.keyEnded && scan.afterHighByte) {
    now.earlierKeyRoots |= JudgeKey(now.key, now.keyEnd, now.deletion);
  } else {
    now.earlierKeyRoots = 0;
  }
  now.keyEnded = true;
  now.keyEnd = EndOfKeyNameSoFar(now.key);
  now.keyEndHasHighByte = now.keyNameHasHighByte;
}

void TakeInKeyName(LineScan &scan, unsigned unit) {
  scan.line = Line::kKeyName;
  if (unit == ']') TakeKeyBracket(scan);
  NoteKeyNameUnit(scan, unit);
  AddToKeyName(scan.now.key, unit, scan.singleByte);
}

void TakeAtLineStart(LineScan &scan, unsigned unit) {
  if (unit == '[') {
    scan.line = Line::kKeyFirst;
  } else if (unit == '"') {
    scan.line = Line::kValueName;
  } else if (unit == '@') {
    scan.line = Line::kDataStart;
  } else if (!IsBlank(unit)) {
    scan.line = Line::kIgnored;
  }
}

void TakeAfterKeyBracket(LineScan &scan, unsigned unit) {
  if (IsBlank(unit)) {
    scan.line = Line::kIgnored;
  } else if (unit == '-') {
    scan.now.deletion = true;
    scan.line = Line::kKeyDeletion;
  } else {
    TakeInKeyName(scan, unit);
  }
}

// A deletion names its key from the root on; anything else deletes nothing.
void TakeAfterDeletionMark(LineScan &scan, unsigned unit) {
  if (unit == 'H' || unit == 'h') {
    TakeInKeyName(scan, unit);
  } else {
    scan.line = Line::kIgnored;
  }
}

// A value's name ends at its closing quote. In a code page of two-byte characters, a "\" right after a
// byte above 127 may be that character's second byte rather than an escape, and the name end elsewhere:
// whether its hex data go on is then not known, and the line is taken for one that does not, which
// keeps every key line after it in the reading.
void TakeInValueName(LineScan &scan, unsigned unit) {
  NoteValueNameUnit(scan, unit);
  if (unit == '\\') {
    if (scan.afterHighByte) scan.now.valueNameInDoubt = true;
    scan.line = Line::kValueNameEscape;
  } else if (unit == '"') {
    scan.line = scan.now.valueNameInDoubt ? Line::kIgnored : Line::kDataStart;
  }
}

// "\0" spoils the name; any other escaped character is part of it.
void TakeAfterNameBackslash(LineScan &scan, unsigned unit) {
  NoteValueNameUnit(scan, unit);
  scan.line = unit == '0' ? Line::kIgnored : Line::kValueName;
}

void TakeBeforeData(LineScan &scan, unsigned unit) {
  if (unit == '=') {
    scan.line = Line::kDataType;
  } else if (!IsBlank(unit)) {
    scan.line = Line::kIgnored;
  }
}

// Only hex data goes on past its line: "hex:" or "hex(N):".
void TakeInDataType(LineScan &scan, unsigned unit) {
  LineSoFar &now = scan.now;
  if (now.digits == 0 && IsBlank(unit)) return;
  constexpr std::string_view kHex = "hex";
  if (now.digits < kHex.size()) {
    if (unit != static_cast<unsigned char>(kHex[now.digits])) scan.line = Line::kIgnored;
    ++now.digits;
  } else {
    scan.line = unit == ':' ? Line::kHexNumberStart : unit == '(' ? Line::kHexType : Line::kIgnored;
    now.digits = 0;
  }
}

// At most eight digits, which the editor reads as a 32-bit type.
void TakeInHexType(LineScan &scan, unsigned unit) {
  if (IsHexDigit(unit) && scan.now.digits < 8) {
    ++scan.now.digits;
  } else {
    scan.line = unit == ')' && scan.now.digits > 0 ? Line::kHexTypeColon : Line::kIgnored;
  }
}

void TakeAfterHexType(LineScan &scan, unsigned unit) {
  scan.line = unit == ':' ? Line::kHexNumberStart : Line::kIgnored;
}

void StartHexNumber(LineScan &scan, unsigned unit) {
  scan.line = Line::kHexNumber;
  scan.now.number = HexValue(unit);
}

// Blanks, a number, or the "\" that continues the data; anything else ends the data here.
void TakeBeforeHexNumber(LineScan &scan, unsigned unit) {
  if (IsHexDigit(unit)) {
    StartHexNumber(scan, unit);
  } else if (unit == '\\') {
    scan.line = Line::kHexBackslash;
  } else if (!IsBlank(unit)) {
    scan.line = Line::kIgnored;
  }
}

// A comma goes on to the next byte; blanks or a comment end the data; anything else spoils it.
void TakeInHexNumber(LineScan &scan, unsigned unit) {
  if (IsHexDigit(unit)) {
    scan.now.number = scan.now.number * 16 + HexValue(unit);
    if (scan.now.number > 0xFF) scan.line = Line::kIgnored;
  } else {
    scan.line = unit == ',' ? Line::kHexNumberStart : Line::kIgnored;
  }
}

// After the "\": blanks, or a comment.
void TakeAfterContinuation(LineScan &scan, unsigned unit) {
  if (unit == ';') {
    scan.line = Line::kHexComment;
  } else if (!IsBlank(unit)) {
    scan.line = Line::kIgnored;
  }
}

// A line within continued data: more data, a comment line, or a line that is no data, which ends it.
void TakeInContinuedLine(LineScan &scan, unsigned unit) {
  if (IsHexDigit(unit)) {
    StartHexNumber(scan, unit);
  } else if (unit == ';') {
    scan.line = Line::kHexComment;
  } else if (!IsBlank(unit)) {
    scan.line = Line::kIgnored;
  }
}

void TakeInLine(LineScan &scan, unsigned unit) {
  switch (scan.line) {
    case Line::kStart: TakeAtLineStart(scan, unit); break;
    case Line::kKeyFirst: TakeAfterKeyBracket(scan, unit); break;
    case Line::kKeyDeletion: TakeAfterDeletionMark(scan, unit); break;
    case Line::kKeyName: TakeInKeyName(scan, unit); break;
    case Line::kValueName: TakeInValueName(scan, unit); break;
    case Line::kValueNameEscape: TakeAfterNameBackslash(scan, unit); break;
    case Line::kDataStart: TakeBeforeData(scan, unit); break;
    case Line::kDataType: TakeInDataType(scan, unit); break;
    case Line::kHexType: TakeInHexType(scan, unit); break;
    case Line::kHexTypeColon: TakeAfterHexType(scan, unit); break;
    case Line::kHexNumberStart: TakeBeforeHexNumber(scan, unit); break;
    case Line::kHexNumber: TakeInHexNumber(scan, unit); break;
    case Line::kHexBackslash: TakeAfterContinuation(scan, unit); break;
    case Line::kContinuation: TakeInContinuedLine(scan, unit); break;
    case Line::kHexComment:
    case Line::kIgnored: break;  // nothing more of the line matters
  }
  scan.afterHighByte = IsHighByte(scan, unit);
}

}  // namespace

void TakeLineUnit(LineScan &scan, unsigned unit) {
  const bool afterReturn = scan.lastWasReturn;
  scan.lastWasReturn = unit == '\r';
  if (unit == '\n' && afterReturn) return;
  if (unit == '\r' || unit == '\n') {
    EndLine(scan);
  } else {
    TakeInLine(scan, unit);
  }
}

void EndLine(LineScan &scan) {
  const LineSoFar &now = scan.now;
  if (scan.line == Line::kKeyName && now.keyEnded) {
    scan.reading.roots |= now.earlierKeyRoots | JudgeKey(now.key, now.keyEnd, now.deletion);
    if (now.keyEndHasHighByte) scan.reading.nonAsciiName = true;
  }
  const bool continued =
      scan.line == Line::kHexBackslash || scan.line == Line::kHexComment || scan.line == Line::kContinuation;
  scan.line = continued ? Line::kContinuation : Line::kStart;
  scan.afterHighByte = false;
  scan.now = {};
}

}  // namespace launcher
