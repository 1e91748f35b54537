#include "preview/settings_files.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/preview_fake.h"

namespace launcher::preview {
namespace {

constexpr char kGameFile[] = ".\\KQgameset.ini";
constexpr char kPlayFile[] = ".\\KQgameplay.ini";

class SettingsFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fake() = FakePlatform();
    Answers() = PreviewAnswers();
  }
  // The file as the profile functions read it, and its bytes in the same order.
  static void Write(const char *file, const std::vector<std::tuple<std::string, std::string, std::string>> &keys) {
    std::string content;
    std::string section;
    for (const auto &[name, key, value] : keys) {
      if (name != section) content += "[" + name + "]\r\n";
      section = name;
      content += key + "=" + value + "\r\n";
      Fake().profile[{file, name, key}] = value;
    }
    Fake().files.insert(file);
    Fake().contents[file] = content;
  }
  static SettingsFileFacts Check(const char *file) {
    SettingsFileFacts facts;
    CheckSettingsFile(file, facts);
    return facts;
  }
  static std::string Near(const SettingsFileFacts &facts) {
    std::string names;
    for (int i = 0; i < facts.nearCount; ++i) {
      const NearNameFact &near = facts.near[static_cast<std::size_t>(i)];
      names += std::string(CString(near.name)) + " for " + near.known + ";";
    }
    return names;
  }
};

// A name of the game's own is listed; one near a name of the launcher's is listed when that one is there
// too, and fails the run when it is not.
TEST_F(SettingsFilesTest, NamesNearTheLaunchersFailOnlyWhereTheLaunchersAreMissing) {
  Write(kGameFile, {{"BV", "qnore", "1"},
                    {"BV", "qnoresX", "1024"},
                    {"BV", "qnoresx2", "1"},
                    {"BV", "qnoresy", "768"},
                    {"REGSETT", "ROOT", "2"},
                    {"Sound", "Volume", "3"},
                    {"game", "GameExec", "demo.exe"},
                    {"game", "Para", "-window"},
                    {"game", "Path", "x"},
                    {"game", "Speed", "3"},
                    {"gaem", "GameExec", "old.exe"}});
  const SettingsFileFacts facts = Check(kGameFile);
  EXPECT_EQ(Answers().output,
            "settings file .\\KQgameset.ini: present\n"
            "  [REGSETT]: not a section the launcher reads, though near [REGSET], which is not there: its keys take "
            "their defaults\n"
            "  [Sound]: not a section the launcher reads\n"
            "  [gaem]: not a section the launcher reads, though near [game], which is there too\n"
            "  [BV] qnore: not a key the launcher reads, though near qnores, which is not there: it takes its "
            "default\n"
            "  [BV] qnoresx2: not a key the launcher reads, though near qnoresX, which is there too\n"
            "  [game] Path: not a key the launcher reads, though near Para, which is there too\n"
            "  [game] Speed: not a key the launcher reads\n");
  EXPECT_EQ(Near(facts), "REGSETT for REGSET;qnore for qnores;");
  EXPECT_EQ(facts.tooLong, 0u);
}

// However many sections and keys a file holds, they are all looked at: past what the profile functions'
// list holds, from the file's own lines, so that a cut name is never taken for a misspelling.
TEST_F(SettingsFilesTest, ReadsEveryNamePastWhatTheProfileListHolds) {
  std::vector<std::tuple<std::string, std::string, std::string>> keys;
  for (int i = 0; i < 400; ++i) keys.emplace_back("Level" + std::to_string(1000 + i) + std::string(200, 'x'), "a", "1");
  keys.emplace_back("REGSET", "ROOT", "2");
  keys.emplace_back("REGSETX", "ROOT", "2");
  for (int i = 0; i < 4000; ++i) keys.emplace_back("game", "Level" + std::to_string(10000 + i) + "xxxxxxxx", "1");
  keys.emplace_back("game", "GameExc", "demo.exe");
  keys.emplace_back("game", "Para", "-window");
  Write(kGameFile, keys);
  const SettingsFileFacts facts = Check(kGameFile);
  const std::string &output = Answers().output;
  EXPECT_EQ(Near(facts), "GameExc for GameExec;");
  EXPECT_NE(output.find("  [Level1399" + std::string(200, 'x') + "]: not a section the launcher reads\n"
                        "  [REGSETX]: not a section the launcher reads, though near [REGSET], which is there too\n"),
            std::string::npos);
  EXPECT_NE(output.find("  [game] Level13999xxxxxxxx: not a key the launcher reads\n"
                        "  [game] GameExc: not a key the launcher reads, though near GameExec, which is not there"),
            std::string::npos);
}

// What Windows does not read: a file past the longest path it opens, a section a UTF-8 byte-order mark
// hides (Wine reads both); a file that is not there is no failure.
TEST_F(SettingsFilesTest, TellsWhatWindowsDoesNotRead) {
  Write(kGameFile, {{"REGSET", "ROOT", "2"}, {"BV", "qnoresX", "1024"}});
  Fake().contents[kGameFile] = "\xEF\xBB\xBF[REGSET]\r\nROOT=2\r\n[BV]\r\nqnoresX=1024\r\n";
  SettingsFileFacts facts = Check(kGameFile);
  EXPECT_STREQ(facts.lostSection, "REGSET");
  EXPECT_NE(Answers().output.find("  it begins with a UTF-8 byte-order mark before [REGSET]: Windows does not see "
                                  "that section, and every key in it takes its default (under Wine it does)\n"),
            std::string::npos);

  Fake() = FakePlatform();
  Answers() = PreviewAnswers();
  Fake().currentDirectory = "C:\\" + std::string(243, 'd');  // 246 characters, and \KQgameplay.ini
  facts = Check(kPlayFile);
  EXPECT_EQ(facts.tooLong, 261u);

  Fake() = FakePlatform();
  Answers() = PreviewAnswers();
  facts = Check(kPlayFile);
  EXPECT_EQ(Answers().output, "settings file .\\KQgameplay.ini: ABSENT: every key in it takes its default\n");
  EXPECT_EQ(facts.tooLong, 0u);
}

}  // namespace
}  // namespace launcher::preview
