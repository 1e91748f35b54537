#include "preview/verdict.h"

#include <string_view>

#include "preview/printer.h"

namespace launcher::preview {
namespace {

// Why a run falls short (exit 1) or works for some players only (exit 2), in the order the run meets them.
enum class Reason : unsigned char {
  kNoEditor,
  kScriptTooLong,
  kScriptMissing,
  kScriptNotImported,
  kScriptNulByte,
  kWindows31Empty,
  kRightsAsked,           // some players only
  kScriptByteOrderMark,   // some players only
  kCodePage,              // some players only
  kSettingsTooLong,
  kSectionLost,
  kNearName,
  kReport,
  kRoot,
  kValueType,
  kDetectionTooLong,
  kGameNotStartable,
};

bool ForSomePlayersOnly(Reason reason) {
  return reason == Reason::kRightsAsked || reason == Reason::kScriptByteOrderMark || reason == Reason::kCodePage;
}

struct Found {
  Reason reason;
  const SettingsFileFacts *file = nullptr;
  const NearNameFact *near = nullptr;
  unsigned codePageText = 0;
};

// The reasons shown; more are counted. A file keeps as many near names, so none it drops would be shown.
constexpr int kShown = 16;
static_assert(std::tuple_size_v<decltype(SettingsFileFacts::near)> == kShown);

struct Reasons {
  Found shown[kShown];
  int count = 0;
  bool shortfall = false;
  bool somePlayersOnly = false;
};

void Add(Reasons &reasons, const Found &found) {
  (ForSomePlayersOnly(found.reason) ? reasons.somePlayersOnly : reasons.shortfall) = true;
  if (reasons.count < kShown) reasons.shown[reasons.count] = found;
  ++reasons.count;
}

void AddScriptReasons(Reasons &reasons, const RunFacts &facts) {
  const ScriptImport &import = facts.import;
  if (!import.editorFound) {
    Add(reasons, {Reason::kNoEditor});
    return;
  }
  const ScriptReading &reading = import.reading;
  if (TooLongForWindows(facts.scriptPathLength)) {
    Add(reasons, {Reason::kScriptTooLong});
  } else if (reading.form == ScriptForm::kMissing) {
    Add(reasons, {Reason::kScriptMissing});
  } else if (!IsImported(reading.form)) {
    Add(reasons, {Reason::kScriptNotImported});
  } else if (reading.nulByte) {
    Add(reasons, {Reason::kScriptNulByte});
  } else if (reading.roots == 0 && reading.form == ScriptForm::kWindows31) {
    Add(reasons, {Reason::kWindows31Empty});
  } else {
    if (import.rights == EditorRights::kAsked) Add(reasons, {Reason::kRightsAsked});
    if (reading.utf8ByteOrderMark) Add(reasons, {Reason::kScriptByteOrderMark});
  }
}

// Each text a player's code page may read otherwise, in the run's order: the script, the record, the game.
void AddCodePageReasons(Reasons &reasons, unsigned texts) {
  for (unsigned bit = 1; bit <= kGamePathBit; bit <<= 1) {
    if ((texts & bit) != 0) Add(reasons, {Reason::kCodePage, nullptr, nullptr, bit});
  }
}

void AddSettingsFileReasons(Reasons &reasons, const SettingsFileFacts &file) {
  if (file.tooLong != 0) Add(reasons, {Reason::kSettingsTooLong, &file});
  if (file.lostSection != nullptr) Add(reasons, {Reason::kSectionLost, &file});
  for (int i = 0; i < file.nearCount; ++i) {
    Add(reasons, {Reason::kNearName, &file, i < kShown ? &file.near[static_cast<std::size_t>(i)] : nullptr});
  }
}

void PrintTooLong(std::string_view what, unsigned long length, std::string_view path) {
  Line("result: ", what, " is ", length, " characters long, more than the ", kLongestPath,
       " Windows opens without long-path support: ", path);
}

void PrintGameNotStartable(const GameLaunch &launch) {
  const std::string_view path = View(launch.file);
  switch (launch.judgement) {
    case GamePathJudgement::kProgram: return;
    case GamePathJudgement::kDocument:
      Line("result: the game file is a document, not a program: the shell would open it with its type's program, "
           "and the player would not meet the game: ", path);
      return;
    case GamePathJudgement::kMissing: Line("result: the game file is missing: ", path); return;
    case GamePathJudgement::kFolder: Line("result: the game's path names a folder: ", path); return;
    case GamePathJudgement::kDevice:
      Line("result: the game's path names a device, which Windows opens in place of a program: ", path);
      return;
    case GamePathJudgement::kNotAProgram:
      Line("result: the game file is not a program, and Windows refuses to run it: ", path);
      return;
    case GamePathJudgement::kLibrary:
      Line("result: the game file is a DLL, which Windows loads into programs but never runs: ", path);
      return;
    case GamePathJudgement::kSixteenBit:
      Line("result: the game file is a 16-bit or MS-DOS program, which 64-bit Windows does not run: ", path);
      return;
    case GamePathJudgement::kTooLong:
      Line("result: the game file's path is longer than the ", kLongestPath,
           " characters Windows opens without long-path support: ", path);
      return;
  }
}

// What a text of the settings or the script is, and why a player's code page matters to it.
void PrintCodePage(unsigned text) {
  Print("result: not for every player: ");
  switch (text) {
    case kScriptNamesBit: Print("a key or value name of the registry script"); break;
    case kSubkeyBit: Print("SUBKEY"); break;
    case kValueNameXBit: Print("VALUENAMEX"); break;
    case kValueNameYBit: Print("VALUENAMEY"); break;
    default: Print("GameExecPath or GameExec"); break;
  }
  Line(" holds characters beyond ASCII, which each player's ANSI code page reads as its own characters: ",
       text == kGamePathBit ? "with another code page than the publisher's the game's path leads nowhere"
                            : "with another code page than the publisher's they name other registry keys or values",
       " (keep it ASCII", text == kScriptNamesBit ? ", or save the script in its UTF-16 form)" : ")");
}

void PrintReason(const Found &found, const RunFacts &facts) {
  const std::string_view script = View(facts.import.script);
  switch (found.reason) {
    case Reason::kNoEditor: Line("result: no registry editor in the system folders: no import"); return;
    case Reason::kScriptTooLong: PrintTooLong("the registry script's path", facts.scriptPathLength, script); return;
    case Reason::kScriptMissing: Line("result: the registry script is missing: ", script); return;
    case Reason::kScriptNotImported:
      Line("result: the registry editor would import nothing of the script: ", script);
      return;
    case Reason::kScriptNulByte:
      Line("result: the registry script holds a NUL byte: editors stop a line there, and what follows it may not "
           "be imported: ", script);
      return;
    case Reason::kWindows31Empty:
      Line("result: the registry script is in the Windows 3.1 form, and none of its lines is below "
           "HKEY_CLASSES_ROOT, the one root that form writes: nothing of it is imported: ", script);
      return;
    case Reason::kRightsAsked:
      Print("result: not for every player: the registry editor asks for the account's highest rights for the "
            "script's keys below ");
      PrintRootsNeedingRights(facts.import.reading.roots);
      Line(": on an administrator account Windows asks for consent at every start, and on a standard account "
           "those lines are not imported");
      return;
    case Reason::kScriptByteOrderMark:
      Line("result: not for every player: the registry script begins with a UTF-8 byte-order mark, which Windows' "
           "registry editor takes and Wine's refuses: under Wine nothing of it is imported");
      return;
    case Reason::kCodePage: PrintCodePage(found.codePageText); return;
    case Reason::kSettingsTooLong:
      Line("result: ", found.file->file, " is ", found.file->tooLong, " characters long with the current directory, "
           "more than the ", kLongestPath, " Windows opens without long-path support: every key in it takes its "
           "default");
      return;
    case Reason::kSectionLost:
      Line("result: ", found.file->file, " begins with a UTF-8 byte-order mark: Windows loses its first section, [",
           found.file->lostSection, "]");
      return;
    case Reason::kNearName:
      if (found.near->section == nullptr) {
        Line("result: ", found.file->file, " has [", CString(found.near->name), "] where the launcher reads [",
             found.near->known, "]");
      } else {
        Line("result: ", found.file->file, " [", found.near->section, "] has ", CString(found.near->name),
             " where the launcher reads ", found.near->known);
      }
      return;
    case Reason::kReport: Line("result: the configuration report, and no game start"); return;
    case Reason::kRoot:
      Line("result: ROOT is ", static_cast<unsigned>(facts.target.rootCode),
           ", neither 1 nor 2: no resolution is recorded");
      return;
    case Reason::kValueType:
      Line("result: VALUETYPE is ", static_cast<unsigned>(facts.target.valueTypeCode),
           ", neither 1 nor 2: no resolution is recorded");
      return;
    case Reason::kDetectionTooLong:
      PrintTooLong("the detection file's path", facts.detectionPathLength, View(facts.graphics.detectionFile));
      return;
    case Reason::kGameNotStartable: PrintGameNotStartable(facts.launch); return;
  }
}

}  // namespace

void PrintRootsNeedingRights(unsigned roots) {
  std::string_view names[std::size(kScriptRoots) + 2];
  std::size_t count = 0;
  for (const ScriptRootName &root : kScriptRoots) {
    if ((roots & root.bit) != 0 && root.bit != kCurrentUserBit) names[count++] = root.name;
  }
  if ((roots & kCurrentUserPolicyBit) != 0) names[count++] = "HKEY_CURRENT_USER's policy trees";
  if ((roots & kOtherRootBit) != 0) names[count++] = "a root the registry editor does not know";
  for (std::size_t i = 0; i < count; ++i) {
    Print(i == 0 ? "" : i + 1 == count ? " and " : ", ", names[i]);
  }
}

int PrintVerdict(const RunFacts &facts) {
  Reasons reasons;
  AddScriptReasons(reasons, facts);
  for (const SettingsFileFacts &file : facts.settingsFiles) {
    if (file.file != nullptr) AddSettingsFileReasons(reasons, file);
  }
  AddCodePageReasons(reasons, facts.codePageTexts);
  if (facts.reported) {
    Add(reasons, {Reason::kReport});
  } else {
    if (!facts.record.opensKey) Add(reasons, {Reason::kRoot});
    if (!facts.record.writesValues) Add(reasons, {Reason::kValueType});
    if (TooLongForWindows(facts.detectionPathLength)) Add(reasons, {Reason::kDetectionTooLong});
    if (facts.launch.judgement != GamePathJudgement::kProgram) Add(reasons, {Reason::kGameNotStartable});
  }

  const int shown = reasons.count < kShown ? reasons.count : kShown;
  for (int i = 0; i < shown; ++i) PrintReason(reasons.shown[i], facts);
  if (reasons.count > shown) Line("result: and ", reasons.count - shown, " more reasons like those above");
  if (reasons.shortfall) return 1;
  if (reasons.somePlayersOnly) {
    Line("result: the script would be imported, the resolution recorded and the game started, but not alike for "
         "every player");
    return 2;
  }
  Line("result: the script would be imported, the resolution recorded and the game started");
  return 0;
}

}  // namespace launcher::preview
