// The run as the preview shows it: the launcher's own stages, in the launcher's order, each asked for its
// decision, which is printed as it stands and kept for the verdict. Nothing here decides anything the
// launcher decides; what is added is what the reads find around the decisions (path lengths as Windows
// counts them, the settings files as a whole, the display adapter the companion would read).
#include <string_view>

#include "companion/vendor_id.h"
#include "display/registry_record.h"
#include "display/resolution.h"
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "launcher/launcher.h"
#include "launcher/registry_script.h"
#include "launcher/working_directory.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "preview/facts.h"
#include "preview/preview.h"
#include "preview/printer.h"
#include "preview/settings_files.h"
#include "preview/verdict.h"
#include "settings/settings.h"

namespace launcher::preview {
namespace {

// Whether a text holds a byte beyond ASCII, which each player's ANSI code page reads as its own character.
bool BeyondAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > 0x7F) return true;
  }
  return false;
}

void PrintWorkingDirectory(const WorkingDirectory &directory, DirectorySpelling spelling) {
  switch (spelling) {
    case DirectorySpelling::kAsItIs: Line("current directory: ", View(directory)); return;
    case DirectorySpelling::kShortForm:
      Line("current directory: ", View(directory));
      Line("  the ANSI code page cannot spell its name (\"?\"): its short form stands in");
      return;
    case DirectorySpelling::kUnreadable: Line("current directory: cannot be read; the launcher works in \".\""); return;
    case DirectorySpelling::kTooLong:
      Line("current directory: more than ", kWorkingDirectoryCapacity - 1, " characters; the launcher works in \".\"");
      return;
    case DirectorySpelling::kUnspelled:
      Line("current directory: the ANSI code page cannot spell its name (\"?\"), nor a short form within ",
           kWorkingDirectoryCapacity - 1, " characters; the launcher works in \".\"");
      return;
  }
}

// Every key of the two settings files, as the profile functions read it.
void PrintSettings() {
  for (const SettingName &setting : kSettingsFileKeys) {
    Text<kGameTextCapacity> value;
    PlatformReadProfileString(setting.file, setting.section, setting.key, value.bytes.data(), kGameTextCapacity);
    Line("setting: ", setting.file, " [", setting.section, "] ", setting.key, " = \"", View(value), "\"",
         HasProfileKey(setting.file, setting.section, setting.key) ? " (present)" : " (absent: the default)");
  }
}

// What the registry editor makes of the script, from the launcher's own reading of it.
void PrintScriptForm(const ScriptReading &reading) {
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
    case ScriptForm::kRegedit4:
    case ScriptForm::kVersion5: break;
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

void PrintRights(const ScriptImport &import) {
  if (import.rights == EditorRights::kInvoker) {
    Line("  with the player's own rights: Windows asks for no consent");
    return;
  }
  Line("  asking for the account's highest rights: on an administrator account Windows asks for consent at "
       "every run");
  const unsigned roots = import.reading.roots;
  if ((roots & kOtherRootBit) != 0) {
    Line("  a key line names a root the registry editor does not know (HKEY_ and the root's full name): nothing is "
         "imported there, but the editor is left to ask for rights");
  }
  if ((roots & ~static_cast<unsigned>(kCurrentUserBit | kOtherRootBit)) == 0) return;
  Print("warning: the registry script writes below ");
  PrintRootsNeedingRights(roots & ~static_cast<unsigned>(kOtherRootBit));
  Line("; on an administrator account Windows asks for consent at every run and imports it with administrator "
       "rights, and on a standard account those lines are not imported");
}

void PrintImport(const ScriptImport &import, unsigned long scriptPathLength) {
  if (!import.editorFound) {
    Line("no registry editor in the system folders: no import");
    return;
  }
  Line("would start the registry import: ", View(import.editor));
  Line("  parameters: ", View(import.parameters));
  Line("  in: ", View(import.directory));
  if (TooLongForWindows(scriptPathLength)) {
    Line("  registry script ", View(import.script), ": ", scriptPathLength, " characters, more than the ",
         kLongestPath, " Windows opens without long-path support: the registry editor cannot open it");
  } else {
    Line("  registry script ", View(import.script), import.reading.form == ScriptForm::kMissing ? ": MISSING" : ": present");
    PrintScriptForm(import.reading);
  }
  PrintRights(import);
}

void PrintResolution(const ResolutionChoice &choice) {
  constexpr std::string_view kSources[] = {"the screen's", "qnoresX x qnoresY, as check1 is set",
                                           "qnoresX x qnoresY, as qnores equals customquality"};
  Line("screen: ", choice.screen.width, " x ", choice.screen.height);
  Line("resolution: ", choice.resolution.width, " x ", choice.resolution.height, " (",
       kSources[static_cast<unsigned>(choice.source)], ")");
}

void PrintRecordValue(const Text<kValueNameCapacity> &name, RegistryValueType type, const RecordValue &value) {
  Print("would write the value ", View(name));
  if (type == RegistryValueType::kDword) {
    Print(": REG_DWORD, 4 bytes");
    PutHex(value.data.data(), value.length);
    const auto bits = static_cast<unsigned>(value.data[0]) | static_cast<unsigned>(value.data[1]) << 8 |
                      static_cast<unsigned>(value.data[2]) << 16 | static_cast<unsigned>(value.data[3]) << 24;
    Line(" = ", static_cast<int>(bits));
  } else {
    Print(": REG_SZ, ", value.length, " bytes");
    PutHex(value.data.data(), value.length);
    Line(" = \"", reinterpret_cast<const char *>(value.data.data()), "\"");
  }
}

void PrintRecord(const RegistryTarget &target, const ResolutionRecord &record) {
  if (!record.opensKey) {
    Line("would record no resolution: ROOT is ", static_cast<unsigned>(target.rootCode),
         ", neither 1 (HKEY_LOCAL_MACHINE) nor 2 (HKEY_CURRENT_USER)");
    return;
  }
  Line("would open the registry key ",
       record.root == RegistryRoot::kLocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\", View(target.subkey),
       " (created when absent)");
  if (!record.writesValues) {
    Line("would record no resolution: VALUETYPE is ", static_cast<unsigned>(target.valueTypeCode),
         ", neither 1 (REG_DWORD) nor 2 (REG_SZ)");
    return;
  }
  PrintRecordValue(target.valueNameX, record.type, record.width);
  PrintRecordValue(target.valueNameY, record.type, record.height);
}

void PrintReport(const RegistryTarget &target) {
  Line("would show the configuration report (REGSET is incomplete; the run ends here):");
  std::string_view rest = View(ComposeConfigurationReport(target));
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::size_t length = end == std::string_view::npos ? rest.size() : end;
    Line("  |", std::string_view(rest.data(), length));
    rest.remove_prefix(length == rest.size() ? length : length + 1);
  }
}

// Before the companion has run today: what it would write into the detection file, from the primary
// display adapter as it reads it, and what the game would then get.
void PrintCompanionsPart() {
  const DeviceId device = ReadPrimaryDisplayDeviceId();
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

void PrintGraphics(const GraphicsChoice &graphics, bool detectionFilePresent, unsigned long detectionPathLength) {
  Line("graphics mode: radiostate ", static_cast<unsigned>(graphics.mode),
       graphics.mode == GraphicsMode::kAutomatic ? " (automatic)"
       : graphics.mode == GraphicsMode::kOpenGl  ? " (-opengl)"
                                                 : " (Para)");
  if (graphics.mode != GraphicsMode::kAutomatic) return;
  const std::string_view file = View(graphics.detectionFile);
  if (TooLongForWindows(detectionPathLength)) {
    Line("  detection file ", file, ": ", detectionPathLength, " characters, more than the ", kLongestPath,
         " Windows opens without long-path support");
  } else if (detectionFilePresent) {
    Line("setting: ", file, " [last] VENID = \"", View(graphics.vendor), "\"");
  } else {
    Line("setting: ", file, " [last] VENID = \"\" (absent)");
    PrintCompanionsPart();
  }
}

// What the launcher makes of the game's file, as its judgement says.
std::string_view GameFileLine(GamePathJudgement judgement) {
  switch (judgement) {
    case GamePathJudgement::kProgram: return "present";
    case GamePathJudgement::kDocument: return "a document: the shell would open it with its type's program";
    case GamePathJudgement::kMissing: return "MISSING";
    case GamePathJudgement::kFolder: return "a folder";
    case GamePathJudgement::kDevice: return "a device's name: Windows would open the device, and start no game";
    case GamePathJudgement::kNotAProgram: return "not a program image: Windows refuses to run it";
    case GamePathJudgement::kLibrary: return "a DLL: Windows refuses to run it";
    case GamePathJudgement::kSixteenBit: return "a 16-bit or MS-DOS program: 64-bit Windows refuses to run it";
    case GamePathJudgement::kTooLong: return "a path longer than Windows opens without long-path support";
  }
  return {};
}

void PrintGameStart(const GameLaunch &launch) {
  Line("would start the game: ", View(launch.file));
  Line("  parameters: ", View(launch.parameters));
  Line("  in: ", View(launch.directory));
  Line("  game file: ", GameFileLine(launch.judgement));
}

}  // namespace

int PreviewRun() {
  RunFacts facts;
  DirectorySpelling spelling;
  const WorkingDirectory workingDirectory = ReadWorkingDirectory(spelling);
  PrintWorkingDirectory(workingDirectory, spelling);
  CheckSettingsFile(kPlaySettingsFile, facts.settingsFiles[0]);
  CheckSettingsFile(kGameSettingsFile, facts.settingsFiles[1]);
  PrintSettings();

  facts.import = PlanScriptImport(workingDirectory);
  facts.scriptPathLength = PlatformFullPathLength(CString(facts.import.script));
  PrintImport(facts.import, facts.scriptPathLength);
  if (facts.import.reading.nonAsciiName) facts.codePageTexts |= kScriptNamesBit;
  Line("pause: ", kSettlePause, " ms (not taken)");

  const ResolutionChoice resolution = ChooseResolution();
  PrintResolution(resolution);
  facts.reported = !ReadRegistryTarget(facts.target);
  if (BeyondAscii(View(facts.target.subkey))) facts.codePageTexts |= kSubkeyBit;
  if (BeyondAscii(View(facts.target.valueNameX))) facts.codePageTexts |= kValueNameXBit;
  if (BeyondAscii(View(facts.target.valueNameY))) facts.codePageTexts |= kValueNameYBit;
  if (facts.reported) {
    PrintReport(facts.target);
    return PrintVerdict(facts);
  }
  facts.record = PlanResolutionRecord(facts.target, resolution.resolution);
  PrintRecord(facts.target, facts.record);
  Line("pause: ", kSettlePause, " ms (not taken)");

  facts.launch = BuildGameLaunch(workingDirectory);
  if (BeyondAscii(View(facts.launch.fileBelowDirectory))) facts.codePageTexts |= kGamePathBit;
  facts.graphics = ChooseGameParameters(workingDirectory, facts.launch.parameters);
  const char *detectionFile = CString(facts.graphics.detectionFile);
  const bool detectionFilePresent = !IsEmpty(facts.graphics.detectionFile) && PlatformIsFile(detectionFile);
  if (!IsEmpty(facts.graphics.detectionFile)) facts.detectionPathLength = PlatformFullPathLength(detectionFile);
  PrintGraphics(facts.graphics, detectionFilePresent, facts.detectionPathLength);
  PrintGameStart(facts.launch);
  if (!IsEmpty(facts.graphics.detectionFile)) {
    Line("would remove the detection file ", detectionFile, detectionFilePresent ? " (present)" : " (absent)");
  }
  return PrintVerdict(facts);
}

}  // namespace launcher::preview
