// The platform operations of launcher-check.exe, the preview: the launcher's reads are made for real and
// printed with what they found; its effects (program starts, registry writes, the deletion, the message
// box) are printed instead of carried out, and its pauses take no time.
#include <charconv>
#include <string_view>

#include "game/game_launch.h"
#include "launcher/registry_script.h"
#include "launcher/script_reading.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "preview/preview.h"

namespace launcher {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

// What the run came to, for the verdict, in fields of the launcher's own types.
struct Outcome {
  bool importStarted = false;
  ScriptForm scriptForm = ScriptForm::kMissing;
  bool reported = false;
  bool gameStarted = false;
  bool gameExists = false;
  RegistryScriptPath script;
  decltype(GameLaunch::file) game;
};
Outcome outcome;

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
  const int value = preview::ReadProfileInt(file, section, key, fallback);
  Line("setting: ", file, " [", section, "] ", key, " = ", value, Presence(file, section, key));
  return value;
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  preview::ReadProfileString(file, section, key, field, capacity);
  Line("setting: ", file, " [", section, "] ", key, " = \"", field, "\"", Presence(file, section, key));
}

void PlatformPause(unsigned long milliseconds) {
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
  if (folder) Line("the game's path names a folder, not a file: ", path, "; nothing would be started");
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
  outcome.scriptForm = reading.form;
  Line("  registry script ", CString(outcome.script), reading.form == ScriptForm::kMissing ? ": MISSING" : ": present");
  PrintScript(reading);
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

void PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  Line("would start the game: ", file);
  Line("  parameters: ", parameters);
  Line("  in: ", directory);
  CopyCut(outcome.game, file);
  outcome.gameStarted = true;
  outcome.gameExists = preview::IsFile(file);
  Line("  game file", outcome.gameExists ? ": present" : ": MISSING");
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
  Line("would show the configuration report (REGSET is incomplete; the run ends here):");
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::size_t length = end == std::string_view::npos ? rest.size() : end;
    Line("  |", std::string_view(rest.data(), length));
    rest.remove_prefix(length == rest.size() ? length : length + 1);
  }
}

int preview::Verdict() {
  bool complete = true;
  if (outcome.reported) {
    Line("result: the configuration report, and no game start");
    complete = false;
  }
  if (!outcome.importStarted) {
    Line("result: no registry editor in the system folders: no import");
    complete = false;
  } else if (outcome.scriptForm == ScriptForm::kMissing) {
    Line("result: the registry script is missing: ", CString(outcome.script));
    complete = false;
  } else if (!IsImported(outcome.scriptForm)) {
    Line("result: the registry editor would import nothing of the script: ", CString(outcome.script));
    complete = false;
  }
  if (!outcome.reported && (!outcome.gameStarted || !outcome.gameExists)) {
    Line("result: the game file is missing: ", CString(outcome.game));
    complete = false;
  }
  if (complete) Line("result: the script would be imported and the game started");
  outcome = Outcome{};  // the run is over
  return complete ? 0 : 1;
}

}  // namespace launcher
