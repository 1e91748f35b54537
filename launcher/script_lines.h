// The lines of the two current forms of the registry script ("REGEDIT4" and version 5.00) after their
// header, read unit by unit as the registry editor reads them: which keys they name, created or deleted.
// The editor reads a line at a time and never looks back: a key line is "[ROOT\path]" (or "[-ROOT\path]")
// after blanks, up to the line's last "]"; a value line is "@" or a quoted name, "=" and the data; hex
// data that ends in "\" goes on in the next lines, where a line that is no hex data is dropped whole.
#ifndef LAUNCHER_LAUNCHER_SCRIPT_LINES_H
#define LAUNCHER_LAUNCHER_SCRIPT_LINES_H

#include <cstddef>

#include "launcher/key_name.h"
#include "launcher/script_reading.h"

namespace launcher {

// Where the reading stands on the current line.
enum class Line : unsigned char {
  kStart,            // blanks so far
  kKeyFirst,         // just after "["
  kKeyDeletion,      // just after "[-"
  kKeyName,          // in the key's name
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

// What the reading keeps of the current line.
struct LineSoFar {
  bool keyNameHasHighByte = false;  // the key's name so far holds a byte above 127
  bool deletion = false;            // a key line that deletes its key
  KeyName key;
  bool keyEnded = false;  // a "]" came: the key's name ends at the last one
  KeyEnd keyEnd;
  bool keyEndHasHighByte = false;  // the name before that "]" holds a byte above 127
  unsigned earlierKeyRoots = 0;    // the keys of earlier "]"s where the editor may end the name instead
  bool valueNameInDoubt = false;   // where the value's name ends depends on the player's code page
  unsigned number = 0;             // the hex number read so far
  std::size_t digits = 0;          // of the data type's name, or of its number
};

struct LineScan {
  ScriptReading reading;
  bool singleByte = true;  // read as single bytes (the player's ANSI code page), else as UTF-16
  Line line = Line::kStart;
  bool lastWasReturn = false;  // "\r\n" ends one line
  bool afterHighByte = false;  // the last unit was a byte above 127
  LineSoFar now;
};

// One unit of the lines; a line ends, and another begins, at "\r", "\n" or "\r\n".
void TakeLineUnit(LineScan &scan, unsigned unit);

// The end of the current line: the last one, without its line end, or the one a NUL byte ends.
void EndLine(LineScan &scan);

}  // namespace launcher

#endif
