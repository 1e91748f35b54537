// The platform operations of launcher-check.exe, the preview: the launcher's reads are made for real and
// printed with what they found; its effects (program starts, registry writes, the deletion, the message
// box) are printed instead of carried out, and its pauses take no time.
#include <charconv>
#include <cstdint>
#include <string_view>

#include "display/registry_record.h"
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "launcher/registry_script.h"
#include "launcher/script_reading.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "preview/preview.h"
#include "settings/settings.h"

namespace launcher {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

// The longest path Windows opens without long-path support: MAX_PATH less its zero.
constexpr unsigned long kLongestPath = 259;

// Every key the launcher reads from its two settings files, by file and section, in the table's order.
struct KeyName {
  const char *file;
  const char *section;
  const char *key;
};
template <typename Setting>
constexpr KeyName NameOf(const Setting &setting) {
  return {setting.file, setting.section, setting.key};
}
constexpr KeyName kKeyNames[] = {
    NameOf(kQnores),      NameOf(kQnoresX),     NameOf(kQnoresY),   NameOf(kSubkey),        NameOf(kRoot),
    NameOf(kValueNameX),  NameOf(kValueNameY),  NameOf(kValueType), NameOf(kGameExec),      NameOf(kGameExecPath),
    NameOf(kPara),        NameOf(kCheck1),      NameOf(kCustomQuality), NameOf(kRadioState),
};
constexpr const char *kSettingsFiles[] = {kGameSettingsFile, kPlaySettingsFile};

// A name one or two edits from one of the launcher's (13 characters at most) has at most 15.
using NearName = Text<16>;

// Why a run on Windows would fall short, in the order the run meets them.
enum class Reason : unsigned char {
  kNoEditor,
  kScriptTooLong,
  kScriptMissing,
  kScriptNotImported,
  kSettingsTooLong,
  kSectionLost,
  kNearSection,
  kNearKey,
  kReport,
  kRoot,
  kValueType,
  kDetectionTooLong,
  kGameTooLong,
  kGameFolder,
  kGameMissing,
};

struct Shortfall {
  Reason reason;
  const char *file = nullptr;     // a settings file
  const char *section = nullptr;  // the launcher's section
  const char *known = nullptr;    // the launcher's name a near one stands for
  NearName near{};                // the name the file holds instead
  unsigned long number = 0;       // a path's length, or a code
};

// What a settings file is to Windows, judged at its first read.
struct SettingsFile {
  bool checked = false;
  bool tooLong = false;
  const char *lostSection = nullptr;  // the launcher's section a byte-order mark hides from Windows
};

// What the run came to, for the verdict, in fields of the launcher's own types.
struct Outcome {
  bool importStarted = false;
  bool reported = false;
  bool gameStarted = false;
  int pauses = 0;
  int root = 0;
  int valueType = 0;
  RegistryScriptPath script;
  decltype(GameLaunch::file) game;
  DetectionFilePath detectionFile;
  SettingsFile settings[2];
  Shortfall shortfalls[16];
  int count = 0;    // shortfalls met
};
Outcome outcome;

Shortfall &Add(Reason reason) {
  static Shortfall overflow{};
  const int at = outcome.count++;
  if (at >= static_cast<int>(std::size(outcome.shortfalls))) return overflow = Shortfall{reason};
  return outcome.shortfalls[at] = Shortfall{reason};
}

// Every text printed, the ones read from files, folder names and settings among them, shows its control
// bytes (below 0x20, and 0x7F) as \xNN, so that an escape sequence or a carriage return in a value cannot
// forge or rewrite the console's lines; every other byte is printed as it is, in the ANSI code page.
void Put(std::string_view text) {
  const char *plain = text.data();
  for (const char &c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) continue;
    preview::Write(std::string_view(plain, static_cast<std::size_t>(&c - plain)));
    const char escaped[] = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
    preview::Write(std::string_view(escaped, sizeof escaped));
    plain = &c + 1;
  }
  preview::Write(std::string_view(plain, static_cast<std::size_t>(text.data() + text.size() - plain)));
}

template <DecimalNumber Number>
void Put(Number number) {
  char digits[PartLength<Number>::kValue];
  Put(std::string_view(digits, std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
}

template <typename... Parts>
void Print(const Parts &...parts) {
  (Put(parts), ...);
}

// The line's end is the one byte printed unescaped.
template <typename... Parts>
void Line(const Parts &...parts) {
  Print(parts...);
  preview::Write("\n");
}

void PutHex(const unsigned char *data, unsigned long length) {
  for (unsigned long i = 0; i < length; ++i) {
    const char hex[] = {' ', kHexDigits[data[i] >> 4], kHexDigits[data[i] & 15]};
    Put(std::string_view(hex, sizeof hex));
  }
}

// Copies a text into a field, cut to what the field holds; the fields are the launcher's own, so
// nothing the launcher passed is cut.
template <std::size_t N>
void CopyCut(Text<N> &field, std::string_view text) {
  field = Text<N>{};
  for (std::size_t i = 0; i < text.size() && i < N - 1; ++i) field.bytes[i] = text[i];
}

// The script the registry editor is given: what follows "/s ", without the quotes that keep it whole.
std::string_view ScriptOf(std::string_view parameters) {
  if (parameters.starts_with(kImportSwitch)) parameters.remove_prefix(sizeof kImportSwitch - 1);
  if (parameters.size() >= 2 && parameters.front() == '"' && parameters.back() == '"') {
    parameters.remove_prefix(1);
    parameters.remove_suffix(1);
  }
  return parameters;
}

// What the registry editor makes of the script, from the launcher's own reading of it.
void PrintScript(const ScriptReading &reading) {
  switch (reading.form) {
    case ScriptForm::kMissing: return;
    case ScriptForm::kUnreadable:
      Line("  the registry script cannot be read: the registry editor imports nothing of it");
      return;
    case ScriptForm::kNotAScript:
      Line("  the registry script's first line is neither \"REGEDIT4\" nor \"Windows Registry Editor Version 5.00\": "
           "the registry editor refuses it and imports nothing of it");
      return;
    case ScriptForm::kIgnoredHeader:
      Line("  the registry script's first line begins with \"REGEDIT\" but is not \"REGEDIT4\": the registry editor "
           "takes it and imports nothing of it");
      return;
    case ScriptForm::kWindows31:
      Line("  the registry script is in the Windows 3.1 form (\"REGEDIT\"): only its lines that begin with "
           "HKEY_CLASSES_ROOT are imported");
      return;
    default: return;
  }
}

// The roots that need more than the player's own rights, named in the editor's order.
void PrintRootsNeedingRights(unsigned roots) {
  unsigned left = roots & ~static_cast<unsigned>(kCurrentUserBit | kOtherRootBit);
  for (const ScriptRootName &root : kScriptRoots) {
    if ((left & root.bit) == 0) continue;
    left &= ~root.bit;
    Print(root.name, left == 0 ? "" : (left & (left - 1)) == 0 ? " and " : ", ");
  }
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The profile functions match section and key names without regard to case.
bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// How many edits (a letter added, dropped or replaced, two adjacent letters swapped) make one name of the
// other, case aside; 3 for three or more.
int Edits(std::string_view a, std::string_view b) {
  constexpr std::size_t kMost = sizeof(NearName);
  if (a.size() >= kMost || b.size() >= kMost || a.size() > b.size() + 2 || b.size() > a.size() + 2) return 3;
  int d[kMost][kMost] = {};
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      int best = d[i - 1][j - 1] + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      if (d[i - 1][j] + 1 < best) best = d[i - 1][j] + 1;
      if (d[i][j - 1] + 1 < best) best = d[i][j - 1] + 1;
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1]) &&
          d[i - 2][j - 2] + 1 < best) {
        best = d[i - 2][j - 2] + 1;
      }
      d[i][j] = best;
    }
  }
  return d[a.size()][b.size()] < 3 ? d[a.size()][b.size()] : 3;
}

int SettingsFileIndex(const char *file) {
  for (int i = 0; i < 2; ++i) {
    if (std::string_view(file) == kSettingsFiles[i]) return i;
  }
  return -1;
}

// The zero-separated texts of a profile buffer, one by one; the empty view at the end.
std::string_view Next(const char *&at, const char *end) {
  if (at >= end || *at == '\0') return {};
  const char *begin = at;
  while (at < end && *at != '\0') ++at;
  const std::string_view text(begin, static_cast<std::size_t>(at - begin));
  ++at;
  return text;
}

// The text before the first of those characters, all of it when it holds none (substr would check, and
// bring the library's exceptions into the program).
std::string_view Before(std::string_view text, std::string_view ends) {
  const std::size_t end = text.find_first_of(ends);
  return {text.data(), end == std::string_view::npos ? text.size() : end};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Whether a zero-separated list holds the name (before any "="), case aside.
bool Holds(const char *list, unsigned long length, std::string_view name) {
  const char *at = list;
  for (std::string_view entry = Next(at, list + length); !entry.empty(); entry = Next(at, list + length)) {
    if (Same(Trimmed(Before(entry, "=")), name)) return true;
  }
  return false;
}

// The first of the launcher's sections of that file one or two edits from the name, or none.
const char *NearSection(const char *file, std::string_view name) {
  for (const KeyName &known : kKeyNames) {
    if (known.file != file) continue;
    const int edits = Edits(name, known.section);
    if (edits > 0 && edits < 3) return known.section;
  }
  return nullptr;
}

bool IsLaunchersSection(const char *file, std::string_view name) {
  for (const KeyName &known : kKeyNames) {
    if (known.file == file && Same(name, known.section)) return true;
  }
  return false;
}

// The launcher's key of that section nearest to the name, one or two edits from it; "" when the name is
// the launcher's own, none when it is none of its.
const char *NearKey(const char *file, const char *section, std::string_view name) {
  const char *nearest = nullptr;
  int fewest = 3;
  for (const KeyName &known : kKeyNames) {
    if (known.file != file || std::string_view(known.section) != section) continue;
    const int edits = Edits(name, known.key);
    if (edits == 0) return "";
    if (edits < fewest) {
      fewest = edits;
      nearest = known.key;
    }
  }
  return nearest;
}

// A UTF-8 byte-order mark makes Windows' profile functions (not Wine's) take the first line for a key:
// a section that opens the file is lost to them.
void CheckByteOrderMark(const char *file, SettingsFile &state) {
  unsigned char head[48] = {};
  const long read = preview::ReadFilePart(file, 0, head, sizeof head);
  if (read < 3 || head[0] != 0xEF || head[1] != 0xBB || head[2] != 0xBF) return;
  std::string_view line(reinterpret_cast<const char *>(head) + 3, static_cast<std::size_t>(read) - 3);
  line = Trimmed(Before(line, "\r\n"));
  const std::size_t close = line.find(']');
  if (!line.starts_with('[') || close == std::string_view::npos) {
    Line("  it begins with a UTF-8 byte-order mark: Windows takes it as part of the first line");
    return;
  }
  const std::string_view name(line.data() + 1, close - 1);
  for (const KeyName &known : kKeyNames) {
    if (known.file != file || !Same(name, known.section)) continue;
    Line("  it begins with a UTF-8 byte-order mark before [", known.section,
         "]: Windows does not see that section, and every key in it takes its default (under Wine it does)");
    state.lostSection = known.section;
    Shortfall &lost = Add(Reason::kSectionLost);
    lost.file = file;
    lost.section = known.section;
    return;
  }
  Line("  it begins with a UTF-8 byte-order mark before [", name, "]: Windows does not see that section");
}

// The sections of the file that are not the launcher's: a near one stands, likely, for the launcher's
// own, which then fails the run when the file lacks it.
void CheckSectionNames(const char *file, const SettingsFile &state) {
  char names[2048];
  const unsigned long length = preview::ReadProfileSectionNames(file, names, sizeof names);
  const char *at = names;
  for (std::string_view name = Next(at, names + length); !name.empty(); name = Next(at, names + length)) {
    if (IsLaunchersSection(file, name)) continue;
    const char *known = NearSection(file, name);
    if (known == nullptr) {
      Line("  [", name, "]: not a section the launcher reads");
      continue;
    }
    if (Holds(names, length, known) && known != state.lostSection) {
      Line("  [", name, "]: not a section the launcher reads, though near [", known, "], which is there too");
      continue;
    }
    Line("  [", name, "]: not a section the launcher reads, though near [", known,
         "], which is not there: its keys take their defaults");
    Shortfall &near = Add(Reason::kNearSection);
    near.file = file;
    near.known = known;
    CopyCut(near.near, name);
  }
  if (length + 2 == sizeof names) Line("  (more sections than the preview looks at)");
}

// The same for the keys of each of the launcher's sections that Windows sees.
void CheckKeyNames(const char *file, const SettingsFile &state) {
  const char *previous = nullptr;
  for (const KeyName &section : kKeyNames) {
    if (section.file != file || section.section == previous) continue;
    previous = section.section;
    if (section.section == state.lostSection) continue;
    char lines[8192];
    const unsigned long length = preview::ReadProfileSection(file, section.section, lines, sizeof lines);
    const char *at = lines;
    for (std::string_view entry = Next(at, lines + length); !entry.empty(); entry = Next(at, lines + length)) {
      const std::string_view name = Trimmed(Before(entry, "="));
      if (name.empty() || name.starts_with(';')) continue;
      const char *known = NearKey(file, section.section, name);
      if (known != nullptr && *known == '\0') continue;
      if (known == nullptr) {
        Line("  [", section.section, "] ", name, ": not a key the launcher reads");
      } else if (Holds(lines, length, known)) {
        Line("  [", section.section, "] ", name, ": not a key the launcher reads, though near ", known,
             ", which is there too");
      } else {
        Line("  [", section.section, "] ", name, ": not a key the launcher reads, though near ", known,
             ", which is not there: it takes its default");
        Shortfall &near = Add(Reason::kNearKey);
        near.file = file;
        near.section = section.section;
        near.known = known;
        CopyCut(near.near, name);
      }
    }
    if (length + 2 == sizeof lines) Line("  [", section.section, "]: more keys than the preview looks at");
  }
}

// A settings file as Windows reads it, once, at the run's first read of it.
SettingsFile &CheckSettingsFile(int index) {
  SettingsFile &state = outcome.settings[index];
  if (state.checked) return state;
  state.checked = true;
  const char *file = kSettingsFiles[index];
  const unsigned long length = preview::FullPathLength(file);
  if (length > kLongestPath) {
    Line("settings file ", file, ": ", length, " characters with the current directory, more than the ", kLongestPath,
         " Windows opens without long-path support: every key in it takes its default");
    state.tooLong = true;
    Shortfall &tooLong = Add(Reason::kSettingsTooLong);
    tooLong.file = file;
    tooLong.number = length;
    return state;
  }
  if (!preview::IsFile(file)) {
    Line("settings file ", file, ": ABSENT: every key in it takes its default");
    return state;
  }
  Line("settings file ", file, ": present");
  CheckByteOrderMark(file, state);
  CheckSectionNames(file, state);
  CheckKeyNames(file, state);
  return state;
}

// Whether Windows reads nothing of that key where Wine might: its settings file's path is too long, or
// a byte-order mark hides its section. The detection file's path is judged where it is read.
bool LostOnWindows(const char *file, const char *section) {
  const int index = SettingsFileIndex(file);
  if (index < 0) return false;
  const SettingsFile &state = CheckSettingsFile(index);
  return state.tooLong || (state.lostSection != nullptr && Same(section, state.lostSection));
}

std::string_view Presence(const char *file, const char *section, const char *key) {
  return preview::HasProfileKey(file, section, key) ? " (present)" : " (absent: the default)";
}

}  // namespace

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  const unsigned long length = preview::ReadCurrentDirectory(field, capacity);
  if (length == 0) {
    Line("current directory: cannot be read; the launcher works in \".\"");
  } else if (length >= capacity) {
    Line("current directory: ", length - 1, " characters, more than ", capacity - 1,
         "; the launcher works in \".\"");
  } else {
    Line("current directory: ", std::string_view(field, length));
  }
  return length;
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  const bool spelled = preview::ReadShortCurrentDirectory(field, capacity);
  if (spelled) {
    Line("  the ANSI code page cannot spell its name (\"?\"): its short form stands in: ", field);
  } else {
    Line("  the ANSI code page cannot spell its name (\"?\"), nor a short form within ", capacity - 1,
         " characters; the launcher works in \".\"");
  }
  return spelled;
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  return preview::ReadSystemDirectory(field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  return preview::ReadWindowsDirectory(field, capacity);
}

bool PlatformIsFile(const char *path) { return preview::IsFile(path); }

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  if (LostOnWindows(file, section)) {
    Line("setting: ", file, " [", section, "] ", key, " = ", fallback, " (not read on Windows: the default)");
    return fallback;
  }
  const int value = preview::ReadProfileInt(file, section, key, fallback);
  Line("setting: ", file, " [", section, "] ", key, " = ", value, Presence(file, section, key));
  if (std::string_view(section) == kRoot.section && std::string_view(key) == kRoot.key) outcome.root = value;
  if (std::string_view(section) == kValueType.section && std::string_view(key) == kValueType.key) {
    outcome.valueType = value;
  }
  return value;
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  if (LostOnWindows(file, section)) {
    field[0] = '\0';
    Line("setting: ", file, " [", section, "] ", key, " = \"\" (not read on Windows: the default)");
    return;
  }
  if (SettingsFileIndex(file) < 0) {
    // The detection file, read in the automatic mode: Windows opens it only within the longest path.
    CopyCut(outcome.detectionFile, file);
    const unsigned long length = preview::FullPathLength(file);
    if (length > kLongestPath) {
      field[0] = '\0';
      Line("setting: ", file, " [", section, "] ", key, " = \"\" (not read on Windows: the path's ", length,
           " characters are more than the ", kLongestPath, " it opens without long-path support)");
      Add(Reason::kDetectionTooLong).number = length;
      return;
    }
  }
  preview::ReadProfileString(file, section, key, field, capacity);
  Line("setting: ", file, " [", section, "] ", key, " = \"", field, "\"", Presence(file, section, key));
}

// The run has passed the import at the first pause, and the resolution's record at the second.
void PlatformPause(unsigned long milliseconds) {
  ++outcome.pauses;
  if (outcome.pauses == 1 && !outcome.importStarted) Add(Reason::kNoEditor);
  if (outcome.pauses == 2) {
    const auto root = static_cast<std::uint16_t>(outcome.root);
    const auto valueType = static_cast<std::uint16_t>(outcome.valueType);
    if (root != static_cast<std::uint16_t>(RootCode::kLocalMachine) &&
        root != static_cast<std::uint16_t>(RootCode::kCurrentUser)) {
      Line("would record no resolution: ROOT is ", root, ", neither 1 (HKEY_LOCAL_MACHINE) nor 2 (HKEY_CURRENT_USER)");
      Add(Reason::kRoot).number = root;
    }
    if (valueType != static_cast<std::uint16_t>(ValueTypeCode::kDword) &&
        valueType != static_cast<std::uint16_t>(ValueTypeCode::kDecimalText)) {
      Line("would record no resolution: VALUETYPE is ", valueType, ", neither 1 (REG_DWORD) nor 2 (REG_SZ)");
      Add(Reason::kValueType).number = valueType;
    }
  }
  Line("pause: ", milliseconds, " ms (not taken)");
}

void PlatformReadScreenSize(int &width, int &height) {
  preview::ReadScreenSize(width, height);
  Line("screen: ", width, " x ", height);
}

RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey) {
  Line("would open the registry key ",
       root == RegistryRoot::kLocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\", subkey,
       " (created when absent)");
  return nullptr;
}

void PlatformSetRegistryValue(RegistryKey /*key*/, const char *name, RegistryValueType type,
                              const unsigned char *data, unsigned long length) {
  Print("would write the value ", name);
  if (type == RegistryValueType::kDword) {
    Print(": REG_DWORD, 4 bytes");
    PutHex(data, length);
    const auto bits = static_cast<unsigned>(data[0]) | static_cast<unsigned>(data[1]) << 8 |
                      static_cast<unsigned>(data[2]) << 16 | static_cast<unsigned>(data[3]) << 24;
    Line(" = ", static_cast<int>(bits));
  } else {
    Print(": REG_SZ, ", length, " bytes");
    PutHex(data, length);
    Line(" = \"", reinterpret_cast<const char *>(data), "\"");
  }
}

bool PlatformIsFolder(const char *path) {
  const bool folder = preview::IsFolder(path);
  if (folder) {
    Line("the game's path names a folder, not a file: ", path, "; nothing would be started");
    CopyCut(outcome.game, path);
    Add(Reason::kGameFolder);
  }
  return folder;
}

long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  return preview::ReadFilePart(path, offset, buffer, capacity);
}

// Another launcher running in the folder does not change what a run there would do.
bool PlatformClaimCurrentDirectory() { return true; }

void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory,
                                 EditorRights rights) {
  Line("would start the registry import: ", file);
  Line("  parameters: ", parameters);
  Line("  in: ", directory);
  outcome.importStarted = true;
  CopyCut(outcome.script, ScriptOf(parameters));
  const ScriptReading reading = ReadRegistryScript(CString(outcome.script));
  const unsigned long length = preview::FullPathLength(CString(outcome.script));
  if (length > kLongestPath) {
    Line("  registry script ", CString(outcome.script), ": ", length, " characters, more than the ", kLongestPath,
         " Windows opens without long-path support: the registry editor cannot open it");
    Add(Reason::kScriptTooLong).number = length;
  } else {
    Line("  registry script ", CString(outcome.script),
         reading.form == ScriptForm::kMissing ? ": MISSING" : ": present");
    PrintScript(reading);
    if (reading.form == ScriptForm::kMissing) {
      Add(Reason::kScriptMissing);
    } else if (!IsImported(reading.form)) {
      Add(Reason::kScriptNotImported);
    }
  }
  if (rights == EditorRights::kInvoker) {
    Line("  with the player's own rights: Windows asks for no consent");
    return;
  }
  Line("  asking for the account's highest rights: on an administrator account Windows asks for consent at "
       "every run");
  if ((reading.roots & kOtherRootBit) != 0) {
    Line("  a key line names a root the registry editor does not know (HKEY_ and the root's full name): nothing is "
         "imported there, but the editor is left to ask for rights");
  }
  if ((reading.roots & ~static_cast<unsigned>(kCurrentUserBit | kOtherRootBit)) == 0) return;
  Print("warning: the registry script writes below ");
  PrintRootsNeedingRights(reading.roots);
  Line("; on an administrator account Windows asks for consent at every run and imports it with administrator "
       "rights, and on a standard account those lines are not imported");
}

unsigned long PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  Line("would start the game: ", file);
  Line("  parameters: ", parameters);
  Line("  in: ", directory);
  CopyCut(outcome.game, file);
  outcome.gameStarted = true;
  const unsigned long length = preview::FullPathLength(file);
  if (length > kLongestPath) {
    Line("  game file: ", length, " characters, more than the ", kLongestPath,
         " Windows opens without long-path support: it would not start");
    Add(Reason::kGameTooLong).number = length;
  } else if (preview::IsFile(file)) {
    Line("  game file: present");
  } else {
    Line("  game file: MISSING");
    Add(Reason::kGameMissing);
  }
  return 0;
}

LocalDate PlatformReadLocalDate() {
  const LocalDate date = preview::ReadLocalDate();
  Line("local date: ", date.year, date.month < 10 ? "-0" : "-", date.month, date.day < 10 ? "-0" : "-", date.day);
  return date;
}

void PlatformDeleteFile(const char *path) {
  Line("would remove the detection file ", path, preview::IsFile(path) ? " (present)" : " (absent)");
}

void PlatformShowMessage(const char *text) {
  outcome.reported = true;
  Add(Reason::kReport);
  Line("would show the configuration report (REGSET is incomplete; the run ends here):");
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::size_t length = end == std::string_view::npos ? rest.size() : end;
    Line("  |", std::string_view(rest.data(), length));
    rest.remove_prefix(length == rest.size() ? length : length + 1);
  }
}

namespace {

void PrintTooLong(const char *what, unsigned long length, const char *path) {
  Line("result: ", what, " is ", length, " characters long, more than the ", kLongestPath,
       " Windows opens without long-path support: ", path);
}

void PrintShortfall(const Shortfall &shortfall) {
  switch (shortfall.reason) {
    case Reason::kNoEditor: Line("result: no registry editor in the system folders: no import"); return;
    case Reason::kScriptTooLong:
      PrintTooLong("the registry script's path", shortfall.number, CString(outcome.script));
      return;
    case Reason::kScriptMissing: Line("result: the registry script is missing: ", CString(outcome.script)); return;
    case Reason::kScriptNotImported:
      Line("result: the registry editor would import nothing of the script: ", CString(outcome.script));
      return;
    case Reason::kSettingsTooLong:
      Line("result: ", shortfall.file, " is ", shortfall.number, " characters long with the current directory, more "
           "than the ", kLongestPath, " Windows opens without long-path support: every key in it takes its default");
      return;
    case Reason::kSectionLost:
      Line("result: ", shortfall.file, " begins with a UTF-8 byte-order mark: Windows loses its first section, [",
           shortfall.section, "]");
      return;
    case Reason::kNearSection:
      Line("result: ", shortfall.file, " has [", CString(shortfall.near), "] where the launcher reads [",
           shortfall.known, "]");
      return;
    case Reason::kNearKey:
      Line("result: ", shortfall.file, " [", shortfall.section, "] has ", CString(shortfall.near),
           " where the launcher reads ", shortfall.known);
      return;
    case Reason::kReport: Line("result: the configuration report, and no game start"); return;
    case Reason::kRoot:
      Line("result: ROOT is ", shortfall.number, ", neither 1 nor 2: no resolution is recorded");
      return;
    case Reason::kValueType:
      Line("result: VALUETYPE is ", shortfall.number, ", neither 1 nor 2: no resolution is recorded");
      return;
    case Reason::kDetectionTooLong:
      PrintTooLong("the detection file's path", shortfall.number, CString(outcome.detectionFile));
      return;
    case Reason::kGameTooLong: PrintTooLong("the game file's path", shortfall.number, CString(outcome.game)); return;
    case Reason::kGameFolder: Line("result: the game's path names a folder: ", CString(outcome.game)); return;
    case Reason::kGameMissing: Line("result: the game file is missing: ", CString(outcome.game)); return;
  }
}

}  // namespace

int preview::Verdict() {
  // A run that neither showed the report nor reached the game (none does today) falls short all the same.
  if (!outcome.reported && !outcome.gameStarted && outcome.count == 0) Add(Reason::kGameMissing);
  const int shown = outcome.count < static_cast<int>(std::size(outcome.shortfalls))
                        ? outcome.count
                        : static_cast<int>(std::size(outcome.shortfalls));
  for (int i = 0; i < shown; ++i) PrintShortfall(outcome.shortfalls[i]);
  if (outcome.count > shown) Line("result: and ", outcome.count - shown, " more reasons like those above");
  if (outcome.count == 0) Line("result: the script would be imported, the resolution recorded and the game started");
  const int verdict = outcome.count == 0 ? 0 : 1;
  outcome = Outcome{};  // the run is over
  return verdict;
}

}  // namespace launcher
