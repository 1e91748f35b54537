// Fuzz target: one whole run of the launcher (RunLauncher) per input, against a world the input describes:
// every settings value (any bytes, any length), which files exist, the screen, the date and the current
// directory. After the run, what it did is checked against what it must do for that world: the exact
// sequence of platform calls with their arguments in full, the composed paths, the registry bytes, the
// report text and the detection file's name and removal. Any difference aborts.
//
// Input layout (little-endian; bytes past the end of the input read as 0):
//   byte 0        files: bit 0 current directory unreadable, bit 1 KQgameset.ini exists, bit 2 KQgameplay.ini
//                 exists, bit 3 today's detection file exists, bit 4 another day's detection file exists,
//                 bit 5 the directory has a short form the code page spells (the directory with each "?"
//                 in place of a character the code page lacks made "_"), bit 6 the system directory holds
//                 no registry editor
//   bytes 1-2     keys present, one bit each in the order of kKeys
//   bytes 3-42    ten int32: check1, qnores, customquality, qnoresX, qnoresY, ROOT, VALUETYPE, radiostate,
//                 screen width, screen height
//   bytes 43-46   date: uint16 year (1601 + v % 29227), uint8 month (1 + v % 12), uint8 day (1 + v % 31)
//   then texts    each a uint16 length and that many bytes (cut at the input's end): current directory,
//                 SUBKEY, VALUENAMEX, VALUENAMEY, GameExec, GameExecPath, Para, today's VENID, the other
//                 day's VENID, the registry script's bytes
//   then one byte bit 0 the registry script exists, bit 1 it cannot be read, bit 2 another launcher holds
//                 the folder, bit 3 the game's path names a folder, bit 4 the game's file is there, bit 5 it
//                 begins as a program image does (else "PK"), bit 6 it cannot be read, bit 7 the path's full
//                 length is more than Windows opens
//   then one byte what the game's start answers: 0 started, else that system error code
//   then one byte the game's file is the path with the shell's extension v % 7 (0 none, 1 to 6: .pif .com
//                 .exe .bat .lnk .cmd)
//   then one byte with bit 5, its image (v % 6): 0 a program's, 1 "MZ" alone, 2 a DLL's, 3 an NE image's,
//                 4 "MZ" whose header points past the end, 5 "PE\0\0" and a file header cut short
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_platform.h"

namespace launcher {
namespace {

const char kGameSettings[] = ".\\KQgameset.ini";
const char kPlaySettings[] = ".\\KQgameplay.ini";

enum File { kGame, kPlay, kToday, kOtherDay };

struct Key {
  File file;
  const char *section;
  const char *name;
};

// Integer keys first, then text keys, in the order of the input.
const Key kKeys[] = {
    {kPlay, "ExtSet", "check1"},      {kGame, "BV", "qnores"},           {kPlay, "ExtSet", "customquality"},
    {kGame, "BV", "qnoresX"},         {kGame, "BV", "qnoresY"},          {kGame, "REGSET", "ROOT"},
    {kGame, "REGSET", "VALUETYPE"},   {kPlay, "ExtSet", "radiostate"},   {kGame, "REGSET", "SUBKEY"},
    {kGame, "REGSET", "VALUENAMEX"},  {kGame, "REGSET", "VALUENAMEY"},   {kGame, "game", "GameExec"},
    {kGame, "game", "GameExecPath"},  {kGame, "game", "Para"},           {kToday, "last", "VENID"},
    {kOtherDay, "last", "VENID"},
};
enum { kIntegerKeys = 8, kKeyCount = sizeof kKeys / sizeof kKeys[0] };
enum {
  kCheck1, kQnores, kCustomQuality, kQnoresX, kQnoresY, kRoot, kValueType, kRadioState,
  kSubkey, kValueNameX, kValueNameY, kGameExec, kGameExecPath, kPara, kTodaysVendor, kOtherDaysVendor,
};

struct Scenario {
  bool directoryUnreadable;
  bool hasShortDirectory;
  bool noEditorInSystemDirectory;
  bool fileExists[4];
  bool keyPresent[kKeyCount];
  int integers[kIntegerKeys];
  int screenWidth, screenHeight;
  LocalDate date;
  std::string directory;
  std::string texts[kKeyCount];  // indexed like kKeys; only the text keys are used
  std::string script;
  bool scriptExists, scriptUnreadable, directoryHeld, gameIsFolder;
  bool gameIsFile, gameIsProgramImage, gameUnreadable, gamePathTooLong;
  unsigned long startError;
  unsigned gameExtension, gameImage;
};

class Reader {
 public:
  Reader(const uint8_t *data, size_t size) : data_(data), size_(size) {}
  uint32_t Bytes(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(Byte()) << (8 * i);
    return value;
  }
  std::string Text() {
    size_t length = Bytes(2);
    if (length > size_ - offset_) length = size_ - offset_;
    std::string text(reinterpret_cast<const char *>(data_ + offset_), length);
    offset_ += length;
    return text;
  }

 private:
  uint8_t Byte() { return offset_ < size_ ? data_[offset_++] : 0; }
  const uint8_t *data_;
  size_t size_;
  size_t offset_ = 0;
};

Scenario Parse(const uint8_t *data, size_t size) {
  Reader in(data, size);
  Scenario s;
  const uint32_t files = in.Bytes(1);
  s.directoryUnreadable = files & 1;
  for (int f = 0; f < 4; ++f) s.fileExists[f] = files & (2u << f);
  s.hasShortDirectory = files & 32;
  s.noEditorInSystemDirectory = files & 64;
  const uint32_t keys = in.Bytes(2);
  for (int k = 0; k < kKeyCount; ++k) s.keyPresent[k] = keys & (1u << k);
  for (int &value : s.integers) value = static_cast<int>(in.Bytes(4));
  s.screenWidth = static_cast<int>(in.Bytes(4));
  s.screenHeight = static_cast<int>(in.Bytes(4));
  s.date.year = 1601 + static_cast<int>(in.Bytes(2) % 29227);  // 1601 to 30827, GetLocalTime's range
  s.date.month = 1 + static_cast<int>(in.Bytes(1) % 12);
  s.date.day = 1 + static_cast<int>(in.Bytes(1) % 31);
  s.directory = in.Text();
  s.directory = s.directory.substr(0, s.directory.find('\0'));
  for (int k = kIntegerKeys; k < kKeyCount; ++k) s.texts[k] = in.Text();
  s.script = in.Text();
  const uint32_t more = in.Bytes(1);
  s.scriptExists = more & 1;
  s.scriptUnreadable = more & 2;
  s.directoryHeld = more & 4;
  s.gameIsFolder = more & 8;
  s.gameIsFile = more & 16;
  s.gameIsProgramImage = more & 32;
  s.gameUnreadable = more & 64;
  s.gamePathTooLong = more & 128;
  s.startError = in.Bytes(1);
  s.gameExtension = in.Bytes(1) % 7;
  s.gameImage = in.Bytes(1) % 6;
  return s;
}

// --- What the run must do in this world, worked out on its own terms. ---

// The registry script as the editor reads it, written anew here line by line: whether anything of it needs
// more than the player's own rights (HKEY_CURRENT_USER is the player's own hive).
using Units = std::vector<unsigned>;

bool IsBlank(unsigned c) { return c == ' ' || c == '\t'; }
bool IsHex(unsigned c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }
size_t SkipBlanks(const Units &line, size_t at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  return at;
}
bool Is(const Units &text, const std::string &expected) { return text == Units(expected.begin(), expected.end()); }
bool IsIgnoringCase(const Units &text, const std::string &expected) {
  if (text.size() != expected.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned c = text[i] >= 'a' && text[i] <= 'z' ? text[i] - 32 : text[i];
    if (c != static_cast<unsigned char>(expected[i])) return false;
  }
  return true;
}

// Hex data from `at` on: whether it goes on in the next line ("\" after a comma, then blanks or a comment).
bool HexGoesOn(const Units &line, size_t at) {
  for (;;) {
    at = SkipBlanks(line, at);
    if (at == line.size() || line[at] == ';') return false;
    if (line[at] == '\\') {
      at = SkipBlanks(line, at + 1);
      return at == line.size() || line[at] == ';';
    }
    unsigned value = 0;
    const size_t start = at;
    while (at < line.size() && IsHex(line[at]) && value <= 0xFF) {
      value = value * 16 + (line[at] <= '9' ? line[at] - '0' : (line[at] | 0x20) - 'a' + 10);
      ++at;
    }
    if (at == start || value > 0xFF || at == line.size() || line[at] != ',') return false;
    ++at;
  }
}

// A value line whose hex data goes on. In a script of single bytes, a "\\" right after a byte above 127
// may be a two-byte character's second byte, not an escape: the line is taken for one that does not go on.
bool ValueGoesOn(const Units &line, size_t at, bool singleByte) {
  if (line[at] == '"') {
    for (++at;; ++at) {
      if (at == line.size()) return false;
      if (line[at] == '"') break;
      if (line[at] == '\\' && singleByte && line[at - 1] >= 0x80) return false;
      if (line[at] == '\\' && (++at == line.size() || line[at] == '0')) return false;
    }
  }
  at = SkipBlanks(line, at + 1);
  if (at == line.size() || line[at] != '=') return false;
  at = SkipBlanks(line, at + 1);
  const Units rest(line.begin() + static_cast<long>(at), line.end());
  if (rest.size() >= 4 && Is(Units(rest.begin(), rest.begin() + 4), "hex:")) return HexGoesOn(line, at + 4);
  if (rest.size() < 4 || !Is(Units(rest.begin(), rest.begin() + 4), "hex(")) return false;
  size_t digits = 0;
  at += 4;
  while (at < line.size() && IsHex(line[at]) && digits < 8) ++at, ++digits;
  if (digits == 0 || at + 1 >= line.size() || line[at] != ')' || line[at + 1] != ':') return false;
  return HexGoesOn(line, at + 2);
}

// A key's path as the registry takes it: the components between runs of "\", each character as a letter
// the registry's case folding may take it for: in UTF-16, "ı" and "İ" for "i", "ſ" for "s"; in a script
// of single bytes, any byte above 127 becomes '\x02', one or two of which the player's code page may make
// such a letter; anything else beyond ASCII '\x01'.
std::string RegistryPath(const Units &path, bool singleByte) {
  std::string normalized;
  for (const unsigned unit : path) {
    if (unit == '\\' && (normalized.empty() || normalized.back() == '\\')) continue;
    if (unit < 0x80) {
      normalized += static_cast<char>(unit);
    } else if (singleByte) {
      normalized += '\x02';
    } else {
      normalized += unit == 0x130 || unit == 0x131 ? 'i' : unit == 0x17F ? 's' : '\x01';
    }
  }
  if (!normalized.empty() && normalized.back() == '\\') normalized.pop_back();
  return normalized;
}

// The player's policy trees, as patterns of such paths: `below` matches the trees and every key in them,
// `above` the keys a deletion of which deletes a tree (HKEY_CURRENT_USER itself, "Software", ...).
struct PolicyTrees {
  std::regex below, above;
};

const PolicyTrees &Trees() {
  static const PolicyTrees trees = [] {
    std::string below, above = "^(?:";
    for (const std::string tree : {"Software\\Policies", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"}) {
      std::string pattern;
      for (const char c : tree) {
        if (c == '\\') above += "|" + pattern;
        pattern += c == '\\' ? std::string("\\\\") : c == 'i' || c == 's' || c == 'S' ? std::string("(?:") + c + "|\\x02\\x02?)" : std::string(1, c);
      }
      below += (below.empty() ? "^(?:" : "|") + pattern;
    }
    below += ")(?:\\\\[\\s\\S]*)?$";
    above += ")$";
    const auto flags = std::regex::ECMAScript | std::regex::icase;
    return PolicyTrees{std::regex(below, flags), std::regex(above, flags)};
  }();
  return trees;
}

// Whether the key a line names between its "[" and a "]" (the name `name`, after "[") needs more than the
// player's rights; false for a line that names no key.
bool KeyNeedsRights(Units name, bool singleByte) {
  const bool deletion = !name.empty() && name[0] == '-';
  if (deletion) {
    name.erase(name.begin());
    if (name.empty() || (name[0] != 'H' && name[0] != 'h')) return false;
  }
  const auto rootEnd = std::find(name.begin(), name.end(), static_cast<unsigned>('\\'));
  if (!IsIgnoringCase(Units(name.begin(), rootEnd), "HKEY_CURRENT_USER")) return true;
  const std::string path = RegistryPath(Units(rootEnd == name.end() ? rootEnd : rootEnd + 1, name.end()), singleByte);
  return std::regex_match(path, Trees().below) || (deletion && std::regex_match(path, Trees().above));
}

bool ScriptNeedsRights(const Scenario &s) {
  if (!s.scriptExists) return false;
  if (s.scriptUnreadable) return true;
  const std::string &bytes = s.script;
  Units units;
  const bool singleByte =
      bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xFE;
  if (!singleByte) {
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      units.push_back(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
  } else {
    const size_t start = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    for (size_t i = start; i < bytes.size(); ++i) units.push_back(static_cast<unsigned char>(bytes[i]));
  }
  // Editors end a line at a NUL and read on after it in ways of their own: the rights stay as asked.
  if (std::find(units.begin(), units.end(), 0u) != units.end()) return true;
  std::vector<Units> lines(1);
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i] == '\r' || units[i] == '\n') {
      if (units[i] == '\r' && i + 1 < units.size() && units[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back().push_back(units[i]);
    }
  }
  const Units header(lines[0].begin() + static_cast<long>(SkipBlanks(lines[0], 0)), lines[0].end());
  if (!Is(header, "REGEDIT4") && !Is(header, "Windows Registry Editor Version 5.00")) return true;
  bool goesOn = false;
  for (size_t n = 1; n < lines.size(); ++n) {
    const Units &line = lines[n];
    const size_t at = SkipBlanks(line, 0);
    if (goesOn) {
      if (at == line.size() || line[at] == ';') continue;
      goesOn = IsHex(line[at]) && HexGoesOn(line, at);
      continue;
    }
    if (at == line.size()) continue;
    if (line[at] == '"' || line[at] == '@') {
      goesOn = ValueGoesOn(line, at, singleByte);
      continue;
    }
    if (line[at] != '[' || at + 1 == line.size() || IsBlank(line[at + 1])) continue;
    // The key's name ends at the line's last "]"; in a two-byte code page, a "]" right after a byte above
    // 127 may be a character's second byte, and the name end at the "]" before it: each such end counts.
    for (size_t close = line.size(); close > at + 1; --close) {
      if (line[close - 1] != ']') continue;
      if (KeyNeedsRights(Units(line.begin() + static_cast<long>(at) + 1, line.begin() + static_cast<long>(close) - 1),
                         singleByte)) {
        return true;
      }
      if (!singleByte || close - 2 <= at || line[close - 2] < 0x80) break;
    }
  }
  return false;
}

std::string ShortDirectory(const Scenario &s) {
  std::string shortForm = s.directory;
  for (char &c : shortForm) c = c == '?' ? '_' : c;
  return shortForm;
}

bool CodePageMissesACharacter(const Scenario &s) { return s.directory.find('?') != std::string::npos; }

std::string WorkingDirectory(const Scenario &s) {
  // Unreadable, empty or longer than 399 characters: the run stays in "." instead.
  if (s.directoryUnreadable || s.directory.empty() || s.directory.size() > 399) return ".";
  // Spelled with "?" for characters the code page lacks: its short form, when there is one, or ".".
  if (CodePageMissesACharacter(s)) return s.hasShortDirectory ? ShortDirectory(s) : ".";
  return s.directory;
}

std::string ScriptPath(const Scenario &s) { return WorkingDirectory(s) + "\\CONF\\TMPFILE.TXT"; }

// A text setting as the run gets it: cut to 399 bytes and read up to its first zero byte; "" when absent.
std::string GameSetting(const Scenario &s, int k) {
  if (!s.fileExists[kKeys[k].file] || !s.keyPresent[k]) return "";
  const std::string cut = s.texts[k].substr(0, 399);
  return cut.substr(0, cut.find('\0'));
}

// Where the world keeps the game's file: the path the run composes from the working directory.
std::string GamePath(const Scenario &s) {
  return WorkingDirectory(s) + "\\" + GameSetting(s, kGameExecPath) + "\\" + GameSetting(s, kGameExec);
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens these names as devices in any folder, with any extension after them, and blanks before it.
bool NamesDevice(const std::string &path) {
  const size_t separator = path.find_last_of("\\/");
  std::string name = path.substr(separator == std::string::npos ? 0 : separator + 1);
  name = name.substr(0, name.find('.'));
  name.erase(name.find_last_not_of(' ') + 1);
  for (char &c : name) c = UpperAscii(c);
  for (const char *device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (name == device) return true;
  }
  return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) && name[3] >= '0' &&
         name[3] <= '9';
}

// What the shell starts as a program, in the order it tries the extensions on a name that has none.
const char *const kShellExtensions[] = {".pif", ".com", ".exe", ".bat", ".lnk", ".cmd"};

// The name's extension: from the last "." of its last part, unless a blank follows; "" when none.
std::string ExtensionOf(const std::string &path) {
  const size_t separator = path.find_last_of("\\/");
  const std::string name = path.substr(separator == std::string::npos ? 0 : separator + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.find(' ', dot) != std::string::npos) return "";
  std::string extension = name.substr(dot);
  for (char &c : extension) c = UpperAscii(c);
  return extension;
}

// Where the world keeps the game's file: the composed path, with the shell's extension it is given.
std::string GameFile(const Scenario &s) {
  return GamePath(s) + (s.gameExtension == 0 ? "" : kShellExtensions[s.gameExtension - 1]);
}

// The game's first bytes: a program image's head (the PE format: "MZ", at 0x3C the offset of "PE\0\0", then
// the file header with its Characteristics), one of the forms the loader refuses, or no image at all.
std::string GameHead(const Scenario &s) {
  if (!s.gameIsProgramImage) return "PK\x03";
  if (s.gameImage == 1) return "MZ";
  std::string head(64, '\0');
  head.replace(0, 2, "MZ");
  head[0x3C] = s.gameImage == 4 ? 0x7F : 64;
  head += std::string(s.gameImage == 3 ? "NE" : "PE", 2) + std::string(20, '\0');
  head += s.gameImage == 2 ? "\x02\x21" : "\x02\x01";  // IMAGE_FILE_DLL is 0x2000
  return head.substr(0, s.gameImage == 5 ? 80 : head.size());
}

std::string DetectionFilePath(const std::string &directory, int year, int day, int month) {
  return directory + "\\" + std::to_string(year) + std::to_string(day) + std::to_string(month) + ".ini";
}

std::string OtherDaysFile(const Scenario &s) {
  return DetectionFilePath(WorkingDirectory(s), s.date.year - 1, s.date.day, s.date.month);
}

std::string FilePath(const Scenario &s, File file) {
  switch (file) {
    case kGame: return kGameSettings;
    case kPlay: return kPlaySettings;
    case kToday: return DetectionFilePath(WorkingDirectory(s), s.date.year, s.date.day, s.date.month);
    case kOtherDay: return OtherDaysFile(s);
  }
  return "";
}

std::vector<unsigned char> Dword(int number) {
  const uint32_t bits = static_cast<uint32_t>(number);
  return {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
          static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
}

// Decimal text of 9 characters or fewer zero-filled to 10 bytes; a longer one whole with one zero.
std::vector<unsigned char> DecimalText(int number) {
  const std::string text = std::to_string(number);
  std::vector<unsigned char> bytes(text.begin(), text.end());
  bytes.resize(text.size() <= 9 ? 10 : text.size() + 1, 0);
  return bytes;
}

class ExpectedRun {
 public:
  explicit ExpectedRun(const Scenario &s) : s_(s) {}

  std::vector<Call> Calls() {
    const std::string directory = WorkingDirectory(s_);
    Add(Op::kClaimCurrentDirectory);
    if (s_.directoryHeld) return calls_;
    Add(Op::kGetCurrentDirectory, {}, 400);
    if (!s_.directoryUnreadable && !s_.directory.empty() && s_.directory.size() <= 399 &&
        CodePageMissesACharacter(s_)) {
      Add(Op::kGetShortCurrentDirectory, {}, 400);
    }
    // A directory with white space in it gets the script path quoted, so regedit keeps it whole.
    const std::string script = directory + "\\CONF\\TMPFILE.TXT";
    const bool blank = directory.find_first_of(" \t") != std::string::npos;
    // The system's registry editor: the system directory's, else the Windows directory's.
    const std::string systemEditor = std::string(kSystemDirectory) + "\\REGEDIT.EXE";
    Add(Op::kGetSystemDirectory, {}, 260);
    Add(Op::kIsFile, {systemEditor});
    std::string editor = systemEditor;
    if (s_.noEditorInSystemDirectory) {
      Add(Op::kGetWindowsDirectory, {}, 260);
      editor = std::string(kWindowsDirectory) + "\\REGEDIT.EXE";
    }
    Add(Op::kStartRegistryEditor, {editor, "/s " + (blank ? "\"" + script + "\"" : script), directory,
                                   ScriptNeedsRights(s_) ? "asking" : "invoker"});
    Add(Op::kPause, {}, 1000);

    Add(Op::kReadScreenSize);
    int width = s_.screenWidth, height = s_.screenHeight;
    bool configured = Integer(kCheck1, 0) != 0;
    if (!configured) {
      const int qnores = Integer(kQnores, 255);
      configured = qnores == Integer(kCustomQuality, 255);
    }
    if (configured) {
      width = Integer(kQnoresX, 800);
      height = Integer(kQnoresY, 800);
    }

    const std::string subkey = Text(kSubkey, 400);
    const unsigned root = static_cast<uint16_t>(Integer(kRoot, 0));
    const std::string nameX = Text(kValueNameX, 200);
    const std::string nameY = Text(kValueNameY, 200);
    const unsigned valueType = static_cast<uint16_t>(Integer(kValueType, 0));
    if (subkey.empty() || nameX.empty() || nameY.empty() || root == 0 || valueType == 0) {
      Add(Op::kReleaseCurrentDirectory);
      Add(Op::kShowMessage, {" ROOT = " + std::to_string(root) + "\n SUBKEY = " + subkey + " \n VALUENAMEX = " +
                             nameX + " \n VALUENAMEY = " + nameY + " \n VALUETYPE = " + std::to_string(valueType)});
      return calls_;
    }
    if (root == 1 || root == 2) {
      const std::string hive = root == 1 ? "HKLM" : "HKCU";
      Add(Op::kCreateRegistryKey, {hive, subkey});
      if (valueType == 1) {
        AddValue(hive, subkey, nameX, 4, Dword(width));
        AddValue(hive, subkey, nameY, 4, Dword(height));
      } else if (valueType == 2) {
        AddValue(hive, subkey, nameX, 1, DecimalText(width));
        AddValue(hive, subkey, nameY, 1, DecimalText(height));
      }
    }
    Add(Op::kPause, {}, 1000);

    const std::string exec = Text(kGameExec, 400);
    const std::string path = Text(kGameExecPath, 400);
    std::string parameters = Text(kPara, 400);
    const std::string named = directory + "\\" + path + "\\" + exec;
    std::string file = named;
    unsigned long error = JudgeTheGame(file);
    const unsigned radioState = static_cast<uint16_t>(Integer(kRadioState, 3));
    Add(Op::kReadLocalDate);
    std::string detectionFile;
    if (radioState == 1) {
      detectionFile = DetectionFilePath(directory, s_.date.year, s_.date.day, s_.date.month);
      if (Text(kTodaysVendor, 10) == "0x10DE") parameters = "-opengl";
    } else if (radioState == 2) {
      parameters = "-opengl";
    }
    if (error == 0) {
      Add(Op::kStartProgram, {file, parameters, directory + "\\" + path});
      error = s_.startError;
    }
    if (!detectionFile.empty()) Add(Op::kDeleteFile, {detectionFile});
    if (error != 0) {
      Add(Op::kReleaseCurrentDirectory);
      Add(Op::kShowStartFailure, {path + "\\" + exec + file.substr(named.size())}, error);
    }
    return calls_;
  }

 private:
  // The world's files: the game's, and the system's registry editor when the parts happen to spell its path.
  bool HasFile(const std::string &file) const {
    return (s_.gameIsFile && file == GameFile(s_)) ||
           (file == std::string(kSystemDirectory) + "\\REGEDIT.EXE" && !s_.noEditorInSystemDirectory);
  }

  // The game's file as the shell and the loader take it, with the reads that judge it: a device's name is 11,
  // a path too long for Windows 206, a folder 336, nothing there 2; a name without an extension gets the
  // first of the shell's extensions that names a file. Then a .exe or .com: no image behind "MZ" or a DLL's
  // 193, a 16-bit program 216. 0 for what the shell is given; `file` is then what it is given.
  unsigned long JudgeTheGame(std::string &file) {
    if (NamesDevice(file)) return 11;
    const size_t length = s_.gamePathTooLong && file == GamePath(s_) ? 300 : file.size();
    if (length > 259) return 206;
    std::string extension = ExtensionOf(file);
    const bool completes = extension.empty(), room = length + 4 <= 259;
    for (size_t i = 0; completes && room && extension.empty() && i < 6; ++i) {
      Add(Op::kIsFile, {file + kShellExtensions[i]});
      if (HasFile(file + kShellExtensions[i])) extension = ExtensionOf(file += kShellExtensions[i]);
    }
    if (extension.empty() || !completes) {
      Add(Op::kIsFolder, {file});
      if (s_.gameIsFolder) return 336;
      Add(Op::kIsFile, {file});
      if (!HasFile(file)) return completes && !room ? 206 : 2;
    }
    if (extension != ".EXE" && extension != ".COM") return 0;
    Add(Op::kReadFilePart, {file}, 0);
    // The editor's file holds nothing in this world, and a file that cannot be read: left to the start.
    if (!s_.gameIsFile || file != GameFile(s_) || s_.gameUnreadable) return 0;
    const std::string head = GameHead(s_);
    if (head.compare(0, 2, "MZ") != 0) return extension == ".COM" ? 216 : 193;
    if (head.size() < 64) return 193;
    uint32_t at = 0;
    for (int i = 3; i >= 0; --i) at = at << 8 | static_cast<uint8_t>(head[0x3C + i]);
    Add(Op::kReadFilePart, {file}, at);
    const std::string header = at < head.size() ? head.substr(at, 24) : "";
    if (header.compare(0, 2, "NE") == 0 || header.compare(0, 2, "LE") == 0) return 216;
    if (header.size() < 24 || header.compare(0, 4, std::string("PE\0\0", 4)) != 0) return 193;
    return (static_cast<uint8_t>(header[23]) & 0x20) != 0 ? 193 : 0;
  }

  void Add(Op op, std::vector<std::string> text = {}, long long number = 0) {
    calls_.push_back(Call{op, std::move(text), number, {}});
  }
  void AddValue(const std::string &hive, const std::string &subkey, const std::string &name, long long type,
                std::vector<unsigned char> data) {
    calls_.push_back(Call{Op::kSetRegistryValue, {hive, subkey, name}, type, std::move(data)});
  }
  bool Present(int k) const { return s_.fileExists[kKeys[k].file] && s_.keyPresent[k]; }
  int Integer(int k, int fallback) {
    Add(Op::kReadProfileInt, {FilePath(s_, kKeys[k].file), kKeys[k].section, kKeys[k].name}, fallback);
    return Present(k) ? s_.integers[k] : fallback;
  }
  // The value as the field holds it: cut to capacity - 1 bytes, and read up to its first zero byte.
  std::string Text(int k, size_t capacity) {
    Add(Op::kReadProfileString, {FilePath(s_, kKeys[k].file), kKeys[k].section, kKeys[k].name},
        static_cast<long long>(capacity));
    if (!Present(k)) return "";
    const std::string cut = s_.texts[k].substr(0, capacity - 1);
    return cut.substr(0, cut.find('\0'));
  }

  const Scenario &s_;
  std::vector<Call> calls_;
};

// --- Checks ---

[[noreturn]] void Fail(const std::string &property, const std::vector<Call> &expected, const std::vector<Call> &actual) {
  std::fprintf(stderr, "\nPROPERTY VIOLATED: %s\n-- expected calls:\n", property.c_str());
  for (const Call &call : expected) std::fprintf(stderr, "  %s\n", Describe(call).c_str());
  std::fprintf(stderr, "-- actual calls:\n");
  for (const Call &call : actual) std::fprintf(stderr, "  %s\n", Describe(call).c_str());
  std::abort();
}

// The registry editor is started from one of the system folders.
bool IsSystemEditorStart(const Call &call) {
  return call.op == Op::kStartRegistryEditor && (call.text[0] == std::string(kSystemDirectory) + "\\REGEDIT.EXE" ||
                                                 call.text[0] == std::string(kWindowsDirectory) + "\\REGEDIT.EXE");
}

bool IsEffect(const Call &call) {
  return call.op == Op::kCreateRegistryKey || call.op == Op::kSetRegistryValue || call.op == Op::kDeleteFile ||
         call.op == Op::kStartProgram || call.op == Op::kShowStartFailure;
}

// Rules that hold whatever the settings, stated on the calls alone.
void CheckInvariants(const std::vector<Call> &calls, const std::vector<Call> &expected) {
  size_t report = calls.size(), gameStart = 0, startFailure = calls.size();
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].op == Op::kShowMessage && report == calls.size()) report = i;
    if (calls[i].op == Op::kStartProgram) gameStart = i;
    if (calls[i].op == Op::kShowStartFailure) startFailure = i;
  }
  if (report != calls.size()) {
    for (const Call &call : calls) {
      if (IsEffect(call)) Fail("no registry write, game start or deletion in a run that shows the report", expected, calls);
    }
    if (report + 1 != calls.size()) Fail("the report ends the run", expected, calls);
  }
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].op == Op::kStartRegistryEditor && !IsSystemEditorStart(calls[i])) {
      Fail("the registry editor is the one in a system folder", expected, calls);
    }
    if (calls[i].op == Op::kDeleteFile && (i < gameStart || i > startFailure)) {
      Fail("the detection file is deleted after the game's start, before the message that it cannot start", expected,
           calls);
    }
    if (calls[i].op == Op::kSetRegistryValue) {
      const size_t length = calls[i].data.size();
      if (calls[i].number == 4 ? length != 4 : (calls[i].number != 1 || length < 10)) {
        Fail("registry data is 4 bytes of REG_DWORD or at least 10 bytes of REG_SZ", expected, calls);
      }
    }
  }
}

// The script is read in consecutive parts from its start, before the editor is started: its reads are
// checked here and left out of the comparison with the expected calls, which hold every other read.
std::vector<Call> WithoutScriptReads(const std::vector<Call> &calls, const std::vector<Call> &expected,
                                     const std::string &scriptPath) {
  std::vector<Call> others;
  long long next = -1;  // the offset of the last part read
  bool editorStarted = false;
  for (const Call &call : calls) {
    if (call.op == Op::kReadFilePart && (call.text[0] == scriptPath || !editorStarted)) {
      if (call.text[0] != scriptPath || editorStarted) Fail("only the script is read, before the editor starts", expected, calls);
      // From the start, each part after the last, never past a part of 4096 bytes.
      const bool first = next < 0;
      if (first ? call.number != 0 : call.number <= next || call.number > next + 4096) {
        Fail("the script is read in consecutive parts from its start", expected, calls);
      }
      next = call.number;
      continue;
    }
    editorStarted = editorStarted || call.op == Op::kStartRegistryEditor;
    others.push_back(call);
  }
  return others;
}

void CheckAgainstExpected(const std::vector<Call> &calls, const std::vector<Call> &expected) {
  const size_t common = calls.size() < expected.size() ? calls.size() : expected.size();
  for (size_t i = 0; i < common; ++i) {
    if (calls[i] == expected[i]) continue;
    std::string what = "call " + std::to_string(i) + " is as expected: " + Describe(expected[i]);
    switch (expected[i].op) {
      case Op::kStartRegistryEditor: what += " (the registry editor, the import's parameters and directory)"; break;
      case Op::kStartProgram: what += " (the game's file, parameters and directory)"; break;
      case Op::kSetRegistryValue: what += " (registry value name, type and data bytes)"; break;
      case Op::kShowMessage: what += " (the report text)"; break;
      case Op::kDeleteFile: what += " (the detection file's path)"; break;
      case Op::kShowStartFailure: what += " (the game's path below the folder, and why it did not start)"; break;
      default: break;
    }
    Fail(what, expected, calls);
  }
  if (calls.size() != expected.size()) Fail("the run makes exactly the expected calls", expected, calls);
}

}  // namespace
}  // namespace launcher

using namespace launcher;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const Scenario s = Parse(data, size);

  FuzzWorld &world = World();
  world = FuzzWorld();
  world.directoryUnreadable = s.directoryUnreadable;
  world.directory = s.directory;
  world.hasShortDirectory = s.hasShortDirectory;
  world.systemDirectoryHoldsEditor = !s.noEditorInSystemDirectory;
  world.shortDirectory = ShortDirectory(s);
  world.scriptPath = ScriptPath(s);
  world.scriptExists = s.scriptExists;
  world.scriptUnreadable = s.scriptUnreadable;
  world.script = s.script;
  world.directoryHeld = s.directoryHeld;
  world.gameIsFolder = s.gameIsFolder;
  world.gamePath = GameFile(s);
  world.gameIsFile = s.gameIsFile;
  world.gameUnreadable = s.gameUnreadable;
  world.gameHead = GameHead(s);
  world.namedGamePath = GamePath(s);
  world.gamePathTooLong = s.gamePathTooLong;
  world.startError = s.startError;
  world.screenWidth = s.screenWidth;
  world.screenHeight = s.screenHeight;
  world.date = s.date;
  const bool distinctDays = FilePath(s, kToday) != FilePath(s, kOtherDay);
  for (int k = 0; k < kKeyCount; ++k) {
    const Key &key = kKeys[k];
    if (!s.fileExists[key.file] || !s.keyPresent[k]) continue;
    if (key.file == kOtherDay && !distinctDays) continue;
    const SettingName name{FilePath(s, key.file), key.section, key.name};
    if (k < kIntegerKeys) {
      world.integers[name] = s.integers[k];
    } else {
      world.texts[name] = s.texts[k];
    }
  }

  const int exitCode = RunLauncher();

  const std::vector<Call> expected = ExpectedRun(s).Calls();
  if (exitCode != 0) Fail("exit code 0, got " + std::to_string(exitCode), expected, world.calls);
  const std::vector<Call> calls = WithoutScriptReads(world.calls, expected, world.scriptPath);
  CheckInvariants(calls, expected);
  CheckAgainstExpected(calls, expected);
  return 0;
}
