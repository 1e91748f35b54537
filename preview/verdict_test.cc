#include "preview/verdict.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/preview_fake.h"

namespace launcher::preview {
namespace {

constexpr char kGameFile[] = ".\\KQgameset.ini";
constexpr char kPlayFile[] = ".\\KQgameplay.ini";

// The facts of a run that does its whole job: a REGEDIT4 script below HKEY_CURRENT_USER, a complete record,
// a game file that is a program.
RunFacts WholeJob() {
  RunFacts facts;
  facts.import.editorFound = true;
  CopyCut(facts.import.script, "C:\\Demo\\CONF\\TMPFILE.TXT");
  facts.scriptPathLength = 24;
  facts.import.reading = {ScriptForm::kRegedit4, kCurrentUserBit};
  facts.target.rootCode = RootCode::kCurrentUser;
  facts.target.valueTypeCode = ValueTypeCode::kDword;
  facts.record = PlanResolutionRecord(facts.target, {1024, 768});
  CopyCut(facts.launch.file, "C:\\Demo\\bin\\demo.exe");
  return facts;
}

void AddNear(SettingsFileFacts &file, const char *section, const char *known, const char *name) {
  if (file.nearCount < static_cast<int>(file.near.size())) {
    file.near[static_cast<std::size_t>(file.nearCount)] = {section, known, {}};
    CopyCut(file.near[static_cast<std::size_t>(file.nearCount)].name, name);
  }
  ++file.nearCount;
}

// The output's lines and the exit code.
std::string Verdict(const RunFacts &facts) {
  Answers() = PreviewAnswers();
  const int code = PrintVerdict(facts);
  return Answers().output + "exit " + std::to_string(code);
}

const std::string kWholeJob = "result: the script would be imported, the resolution recorded and the game started\n";
const std::string kSomePlayers =
    "result: the script would be imported, the resolution recorded and the game started, but not alike for every "
    "player\n";
const std::string kRights =
    ": on an administrator account Windows asks for consent at every start, and on a standard account those lines "
    "are not imported\n";

// 0: the whole job for every player; 2: the whole job for some players only, each reason named; 1: short of
// it, which wins over 2.
TEST(VerdictTest, ExitCodeIsZeroForTheWholeJobTwoForSomePlayersOnlyOneWhenShortOfIt) {
  EXPECT_EQ(Verdict(WholeJob()), kWholeJob + "exit 0");

  RunFacts facts = WholeJob();
  facts.import.reading.roots |= kLocalMachineBit | kCurrentUserPolicyBit;
  facts.import.rights = EditorRights::kAsked;
  facts.import.reading.utf8ByteOrderMark = true;
  const std::string somePlayers =
      "result: not for every player: the registry editor asks for the account's highest rights for the script's "
      "keys below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER's policy trees" + kRights +
      "result: not for every player: the registry script begins with a UTF-8 byte-order mark, which Windows' "
      "registry editor takes and Wine's refuses: under Wine nothing of it is imported\n";
  EXPECT_EQ(Verdict(facts), somePlayers + kSomePlayers + "exit 2");

  facts.launch.judgement = GamePathJudgement::kMissing;
  EXPECT_EQ(Verdict(facts), somePlayers + "result: the game file is missing: C:\\Demo\\bin\\demo.exe\nexit 1");

  // A name beyond ASCII works for the players of the publisher's code page only: each is named, in the
  // run's order.
  facts = WholeJob();
  facts.codePageTexts = kGamePathBit | kScriptNamesBit;
  EXPECT_EQ(Verdict(facts),
            "result: not for every player: a key or value name of the registry script holds characters beyond "
            "ASCII, which each player's ANSI code page reads as its own characters: with another code page than "
            "the publisher's they name other registry keys or values (keep it ASCII, or save the script in its "
            "UTF-16 form)\n"
            "result: not for every player: GameExecPath or GameExec holds characters beyond ASCII, which each "
            "player's ANSI code page reads as its own characters: with another code page than the publisher's the "
            "game's path leads nowhere (keep it ASCII)\n" + kSomePlayers + "exit 2");

  // The Windows 3.1 form writes below HKEY_CLASSES_ROOT by its lines alone; with none, nothing is imported.
  facts = WholeJob();
  facts.import.reading = {ScriptForm::kWindows31, kClassesRootBit};
  facts.import.rights = EditorRights::kAsked;
  EXPECT_EQ(Verdict(facts), "result: not for every player: the registry editor asks for the account's highest "
                            "rights for the script's keys below HKEY_CLASSES_ROOT" + kRights + kSomePlayers + "exit 2");
  facts.import.reading.roots = 0;
  EXPECT_EQ(Verdict(facts), "result: the registry script is in the Windows 3.1 form, and none of its lines is below "
                            "HKEY_CLASSES_ROOT, the one root that form writes: nothing of it is imported: "
                            "C:\\Demo\\CONF\\TMPFILE.TXT\nexit 1");
  // A NUL byte fails the run whatever the roots: no rights are named for lines that cannot be told.
  facts = WholeJob();
  facts.import.reading.nulByte = true;
  facts.import.reading.roots |= kLocalMachineBit;
  EXPECT_EQ(Verdict(facts), "result: the registry script holds a NUL byte: editors stop a line there, and what "
                            "follows it may not be imported: C:\\Demo\\CONF\\TMPFILE.TXT\nexit 1");
}

// Every reason in the order the run meets it: the import, each settings file at its first read, the
// record, the detection file, the game.
TEST(VerdictTest, NamesTheReasonsInTheRunsOrder) {
  RunFacts facts = WholeJob();
  facts.import.reading.form = ScriptForm::kIgnoredHeader;
  facts.settingsFiles[0].file = kPlayFile;
  facts.settingsFiles[0].tooLong = 260;
  facts.settingsFiles[1].file = kGameFile;
  facts.settingsFiles[1].lostSection = "REGSET";
  AddNear(facts.settingsFiles[1], nullptr, "game", "gaem");
  AddNear(facts.settingsFiles[1], "BV", "qnoresX", "qnoresx2");
  facts.target.rootCode = CodeOf<RootCode>(3);
  facts.target.valueTypeCode = CodeOf<ValueTypeCode>(65539);
  facts.record = PlanResolutionRecord(facts.target, {1024, 768});
  CopyCut(facts.graphics.detectionFile, "C:\\Demo\\20123110.ini");
  facts.detectionPathLength = 300;
  facts.launch.judgement = GamePathJudgement::kDevice;
  EXPECT_EQ(Verdict(facts),
            "result: the registry editor would import nothing of the script: C:\\Demo\\CONF\\TMPFILE.TXT\n"
            "result: .\\KQgameplay.ini is 260 characters long with the current directory, more than the 259 Windows "
            "opens without long-path support: every key in it takes its default\n"
            "result: .\\KQgameset.ini begins with a UTF-8 byte-order mark: Windows loses its first section, [REGSET]\n"
            "result: .\\KQgameset.ini has [gaem] where the launcher reads [game]\n"
            "result: .\\KQgameset.ini [BV] has qnoresx2 where the launcher reads qnoresX\n"
            "result: ROOT is 3, neither 1 nor 2: no resolution is recorded\n"
            "result: VALUETYPE is 3, neither 1 nor 2: no resolution is recorded\n"
            "result: the detection file's path is 300 characters long, more than the 259 Windows opens without "
            "long-path support: C:\\Demo\\20123110.ini\n"
            "result: the game's path names a device, which Windows opens in place of a program: "
            "C:\\Demo\\bin\\demo.exe\n"
            "exit 1");

  // The report ends the run: neither the codes nor the game count then.
  facts = RunFacts{};
  facts.import = WholeJob().import;
  facts.reported = true;
  EXPECT_EQ(Verdict(facts), "result: the configuration report, and no game start\nexit 1");
  facts.import.editorFound = false;
  EXPECT_EQ(Verdict(facts), "result: no registry editor in the system folders: no import\n"
                            "result: the configuration report, and no game start\nexit 1");
}

// Sixteen reasons are named, the rest counted; a reason for some players only among them leaves the exit
// code at 1.
TEST(VerdictTest, NamesSixteenReasonsAndCountsTheRest) {
  RunFacts facts = WholeJob();
  facts.import.reading.roots |= kUsersBit;
  facts.import.rights = EditorRights::kAsked;
  facts.settingsFiles[0].file = kPlayFile;
  for (int i = 0; i < 20; ++i) AddNear(facts.settingsFiles[0], "ExtSet", "check1", "check12");
  facts.settingsFiles[1].file = kGameFile;
  facts.settingsFiles[1].tooLong = 261;
  const std::string output = Verdict(facts);
  EXPECT_EQ(output.find("result: not for every player: "), 0u) << output;
  EXPECT_EQ(output.rfind("result: "), output.find("result: and 6 more reasons like those above\nexit 1")) << output;
  EXPECT_NE(output.find("has check12 where the launcher reads check1\nresult: and"), std::string::npos) << output;
}

}  // namespace
}  // namespace launcher::preview
