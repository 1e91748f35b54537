// The platform operations of launcher-check.exe, the preview: the launcher's reads are made for real and
// printed with what they found; its effects (program starts, registry writes, the deletion, the message
// boxes) are printed instead of carried out, and its pauses take no time. What the run comes to goes to the
// verdict (verdict.h) as facts: the launcher's own decisions, and what the reads found.
#include <string_view>

#include "companion/vendor_id.h"
#include "display/registry_record.h"
#include "game/game_path.h"
#include "game/graphics_mode.h"
#include "launcher/registry_script.h"
#include "launcher/script_reading.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "preview/preview.h"
#include "preview/printer.h"
#include "preview/settings_files.h"
#include "preview/verdict.h"
#include "settings/settings.h"

namespace launcher {
namespace {

using preview::kLongestPath;
using preview::TooLongForWindows;
using preview::Line;
using preview::Print;

preview::RunFacts facts;

// A settings file's facts, from the check made at the run's first read of it; none for any other file.
preview::SettingsFileFacts *SettingsFile(const char *file) {
  if (std::string_view(file) != kGameSettingsFile && std::string_view(file) != kPlaySettingsFile) return nullptr;
  for (preview::SettingsFileFacts &slot : facts.settingsFiles) {
    if (slot.file == nullptr) preview::CheckSettingsFile(file, slot);
    if (std::string_view(slot.file) == file) return &slot;
  }
  return nullptr;
}

// Which setting of the table a read is.
bool Reads(const IntegerSetting &setting, const char *file, const char *section, const char *key) {
  return std::string_view(setting.file) == file && std::string_view(setting.section) == section &&
         std::string_view(setting.key) == key;
}

std::string_view Presence(const char *file, const char *section, const char *key) {
  return preview::HasProfileKey(file, section, key) ? " (present)" : " (absent: the default)";
}

// ROOT and VALUETYPE as the record takes them: a code other than 0 (the report's) that it does not
// record with is passed over without a word.
void NoteCodes(const char *file, const char *section, const char *key, int value) {
  if (Reads(kRoot, file, section, key)) {
    facts.rootCode = CodeOf<RootCode>(value);
    if (facts.rootCode == RootCode::kNotSet || Records(facts.rootCode)) return;
    Line("would record no resolution: ROOT is ", static_cast<unsigned>(facts.rootCode),
         ", neither 1 (HKEY_LOCAL_MACHINE) nor 2 (HKEY_CURRENT_USER)");
  } else if (Reads(kValueType, file, section, key)) {
    facts.valueTypeCode = CodeOf<ValueTypeCode>(value);
    if (facts.valueTypeCode == ValueTypeCode::kNotSet || Records(facts.valueTypeCode)) return;
    Line("would record no resolution: VALUETYPE is ", static_cast<unsigned>(facts.valueTypeCode),
         ", neither 1 (REG_DWORD) nor 2 (REG_SZ)");
  }
}


// What the registry editor makes of the script, from the launcher's own reading of it.
void PrintScript(const preview::ScriptFacts &script) {
  const ScriptReading &reading = script.reading;
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
           "HKEY_CLASSES_ROOT are imported", (reading.roots & kClassesRootBit) != 0 ? "" : ", and it has none");
      break;
    default: break;
  }
  if (reading.nulByte) {
    Line("  the registry script holds a NUL byte: editors stop a line there and go on in ways that differ, so what "
         "follows it cannot be told");
  }
  if (reading.utf8ByteOrderMark) {
    Line("  the registry script begins with a UTF-8 byte-order mark: Windows' registry editor takes it, Wine's "
         "refuses the script");
  }
}

// The game's start as the launcher judges its path, once it comes to it.
void NoteGame(const char *path, GamePathJudgement judgement) {
  facts.game.judged = true;
  facts.game.judgement = judgement;
  preview::CopyCut(facts.game.path, path);
  facts.game.pathLength = preview::FullPathLength(path);
}

// Before the companion has run today: what it would write into the detection file, from the primary
// display adapter as it reads it, and what the game would then get.
void PrintCompanionsPart() {
  const DeviceId device = preview::ReadPrimaryDisplayDeviceId();
  VendorValue vendor;
  if (!ExtractVendorId(device, vendor)) {
    Line("  no detection file today: companion.exe would write none, as the primary display adapter (\"",
         View(device), "\") names no PCI vendor; the game gets Para");
    return;
  }
  Line("  no detection file today: companion.exe would write VENID = ", View(vendor),
       " into it, from the primary display adapter (\"", View(device), "\"); the game would then get ",
       ChoosesOpenGl(View(vendor)) ? "-opengl in place of Para" : "Para");
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

unsigned long PlatformFullPathLength(const char *path) { return preview::FullPathLength(path); }

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  const preview::SettingsFileFacts *settings = SettingsFile(file);
  int value = fallback;
  if (settings != nullptr && preview::LostOnWindows(*settings, section)) {
    Line("setting: ", file, " [", section, "] ", key, " = ", fallback, " (not read on Windows: the default)");
  } else {
    value = preview::ReadProfileInt(file, section, key, fallback);
    Line("setting: ", file, " [", section, "] ", key, " = ", value, Presence(file, section, key));
  }
  NoteCodes(file, section, key, value);
  return value;
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  const preview::SettingsFileFacts *settings = SettingsFile(file);
  if (settings != nullptr && preview::LostOnWindows(*settings, section)) {
    field[0] = '\0';
    Line("setting: ", file, " [", section, "] ", key, " = \"\" (not read on Windows: the default)");
    return;
  }
  if (settings == nullptr) {
    // The detection file, read in the automatic mode: Windows opens it only within the longest path.
    preview::CopyCut(facts.detectionFile, file);
    facts.detectionPathLength = preview::FullPathLength(file);
    if (TooLongForWindows(facts.detectionPathLength)) {
      field[0] = '\0';
      Line("setting: ", file, " [", section, "] ", key, " = \"\" (not read on Windows: the path's ",
           facts.detectionPathLength, " characters are more than the ", kLongestPath,
           " it opens without long-path support)");
      return;
    }
  }
  preview::ReadProfileString(file, section, key, field, capacity);
  Line("setting: ", file, " [", section, "] ", key, " = \"", field, "\"", Presence(file, section, key));
  if (settings == nullptr && !preview::IsFile(file)) PrintCompanionsPart();
}

void PlatformPause(unsigned long milliseconds) { Line("pause: ", milliseconds, " ms (not taken)"); }

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
    preview::PutHex(data, length);
    const auto bits = static_cast<unsigned>(data[0]) | static_cast<unsigned>(data[1]) << 8 |
                      static_cast<unsigned>(data[2]) << 16 | static_cast<unsigned>(data[3]) << 24;
    Line(" = ", static_cast<int>(bits));
  } else {
    Print(": REG_SZ, ", length, " bytes");
    preview::PutHex(data, length);
    Line(" = \"", reinterpret_cast<const char *>(data), "\"");
  }
}

// The run asks this of the game's path alone, as it judges it: a folder there is never started.
bool PlatformIsFolder(const char *path) {
  const bool folder = preview::IsFolder(path);
  if (folder && !facts.game.judged) {
    Line("the game's path names a folder, not a file: ", path, "; nothing would be started");
    NoteGame(path, GamePathJudgement::kFolder);
  }
  return folder;
}

long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  return preview::ReadFilePart(path, offset, buffer, capacity);
}

// Another launcher running in the folder does not change what a run there would do.
bool PlatformClaimCurrentDirectory() { return true; }

void PlatformReleaseCurrentDirectory() {}

void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory,
                                 EditorRights rights) {
  Line("would start the registry import: ", file);
  Line("  parameters: ", parameters);
  Line("  in: ", directory);
  // The script the launcher composed in the working directory, which it started the editor in, and read.
  preview::ScriptFacts &script = facts.script;
  script.editorStarted = true;
  WorkingDirectory workingDirectory;
  preview::CopyCut(workingDirectory, directory);
  Compose(script.path, workingDirectory, kRegistryScript);
  script.reading = ReadRegistryScript(CString(script.path));
  script.pathLength = preview::FullPathLength(CString(script.path));
  if (TooLongForWindows(script.pathLength)) {
    Line("  registry script ", CString(script.path), ": ", script.pathLength, " characters, more than the ",
         kLongestPath, " Windows opens without long-path support: the registry editor cannot open it");
  } else {
    Line("  registry script ", CString(script.path), script.reading.form == ScriptForm::kMissing ? ": MISSING" : ": present");
    PrintScript(script);
  }
  if (rights == EditorRights::kInvoker) {
    Line("  with the player's own rights: Windows asks for no consent");
    return;
  }
  Line("  asking for the account's highest rights: on an administrator account Windows asks for consent at "
       "every run");
  const unsigned roots = script.reading.roots;
  if ((roots & kOtherRootBit) != 0) {
    Line("  a key line names a root the registry editor does not know (HKEY_ and the root's full name): nothing is "
         "imported there, but the editor is left to ask for rights");
  }
  if ((roots & ~static_cast<unsigned>(kCurrentUserBit | kOtherRootBit)) == 0) return;
  Print("warning: the registry script writes below ");
  preview::PrintRootsNeedingRights(roots & ~static_cast<unsigned>(kOtherRootBit));
  Line("; on an administrator account Windows asks for consent at every run and imports it with administrator "
       "rights, and on a standard account those lines are not imported");
}

unsigned long PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  Line("would start the game: ", file);
  Line("  parameters: ", parameters);
  Line("  in: ", directory);
  // The launcher's own judgement; once the launcher judges the path before the start, only a program comes.
  decltype(GameLaunch::file) judged;
  preview::CopyCut(judged, file);
  NoteGame(file, JudgeGamePath(judged.bytes.data(), judged.bytes.size()));
  if (TooLongForWindows(facts.game.pathLength)) {
    Line("  game file: ", facts.game.pathLength, " characters, more than the ", kLongestPath,
         " Windows opens without long-path support: it would not start");
    return 0;
  }
  switch (facts.game.judgement) {
    case GamePathJudgement::kProgram: Line("  game file: present"); break;
    case GamePathJudgement::kMissing: Line("  game file: MISSING"); break;
    case GamePathJudgement::kFolder: Line("  game file: a folder"); break;
    case GamePathJudgement::kDevice:
      Line("  game file: a device's name: Windows would open the device, and start no game");
      break;
    case GamePathJudgement::kDocument:
      Line("  game file: a document, not a program: Windows would open it with its type's program");
      break;
    case GamePathJudgement::kNotAProgram:
    case GamePathJudgement::kLibrary:
    case GamePathJudgement::kSixteenBit:
    case GamePathJudgement::kTooLong:
      Line("  game file: not a program Windows runs: it would not start");
      break;
  }
  return 0;
}

void PlatformShowStartFailure(const char *fileBelowDirectory, unsigned long error) {
  // The path as the player is told it: the current directory, then the game's part below it.
  WorkingDirectory directory;
  const unsigned long length = preview::ReadCurrentDirectory(directory.bytes.data(), kWorkingDirectoryCapacity);
  if (length == 0 || length >= kWorkingDirectoryCapacity) Compose(directory, ".");
  decltype(GameLaunch::fileBelowDirectory) below;
  preview::CopyCut(below, fileBelowDirectory);
  decltype(GameLaunch::file) path;
  Compose(path, directory, kPathSeparator, below);
  Line("would show the player that the game cannot start: ", CString(path), " (system error ", error, ")");
  // Errors 11 are a device's name or no program image alike: judged again, as the launcher judged them.
  if (!facts.game.judged) NoteGame(CString(path), JudgeGamePath(path.bytes.data(), path.bytes.size()));
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
  facts.reported = true;
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
  const int verdict = PrintVerdict(facts);
  facts = RunFacts{};  // the run is over
  return verdict;
}

}  // namespace launcher
