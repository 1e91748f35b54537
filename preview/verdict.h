// The preview's verdict on one run: from its facts (the launcher's own decisions, and what the preview's
// reads found), a "result:" line for every reason a run on Windows would fall short of its whole job, or do
// it for some players only, in the order the run meets them, and the preview's exit code:
//   0  the run does its whole job for every player: it imports a script the registry editor takes, records
//      the resolution and starts the game;
//   1  it falls short (this wins over 2);
//   2  it does its whole job, but not for every player: the editor asks for the account's highest rights
//      for the script, or Windows and Wine read the script differently.
#ifndef LAUNCHER_PREVIEW_VERDICT_H
#define LAUNCHER_PREVIEW_VERDICT_H

#include <array>
#include <cstddef>
#include <string_view>

#include "display/registry_record.h"
#include "game/game_launch.h"
#include "game/game_path.h"
#include "game/graphics_mode.h"
#include "launcher/registry_script.h"
#include "launcher/script_reading.h"
#include "preview/near_names.h"

namespace launcher::preview {

// The longest path Windows opens without long-path support: MAX_PATH less its zero.
inline constexpr unsigned long kLongestPath = 259;

// Whether Windows opens no file at a path of that length (UTF-16 units once resolved, without the zero).
inline bool TooLongForWindows(unsigned long length) { return length > kLongestPath; }

// A name in a settings file one or two edits from one of the launcher's, which the file lacks.
struct NearNameFact {
  const char *section = nullptr;  // for a key, the launcher's section it is in; none for a section
  const char *known = nullptr;    // the launcher's name it stands for
  NearName name;                  // the name the file holds instead
};

// A settings file as Windows reads it, judged at the run's first read of it.
struct SettingsFileFacts {
  const char *file = nullptr;         // none until that read
  unsigned long tooLong = 0;          // its full path's length when longer than Windows opens, else 0
  const char *lostSection = nullptr;  // the launcher's section a UTF-8 byte-order mark hides from Windows
  std::array<NearNameFact, 16> near{};
  int nearCount = 0;  // all of them, also those the array has no room for
};

struct ScriptFacts {
  bool editorStarted = false;  // the run found the system's registry editor and started it on the script
  RegistryScriptPath path;
  unsigned long pathLength = 0;  // as Windows counts it once resolved
  ScriptReading reading;         // the launcher's own reading, which chose the editor's rights
};

struct GameFacts {
  bool judged = false;  // the run came to the game's start
  GamePathJudgement judgement = GamePathJudgement::kProgram;
  unsigned long pathLength = 0;  // as Windows counts it once resolved
  decltype(GameLaunch::file) path;
};

struct RunFacts {
  ScriptFacts script;
  SettingsFileFacts settingsFiles[2];  // in the order of their first reads
  bool reported = false;               // REGSET is incomplete: the report, and the run's end
  RootCode rootCode = RootCode::kNotSet;
  ValueTypeCode valueTypeCode = ValueTypeCode::kNotSet;
  DetectionFilePath detectionFile;  // read in the automatic mode
  unsigned long detectionPathLength = 0;
  GameFacts game;
};

// A text kept in a field of the facts, cut to what the field holds; the fields are the launcher's own, so
// nothing the launcher passed is cut.
template <std::size_t N>
void CopyCut(Text<N> &field, std::string_view text) {
  field = Text<N>{};
  for (std::size_t i = 0; i < text.size() && i < N - 1; ++i) field.bytes[i] = text[i];
}


// Those of the roots that are not the player's own, named: "HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT".
void PrintRootsNeedingRights(unsigned roots);

// Prints the run's result lines and returns the exit code.
int PrintVerdict(const RunFacts &facts);

}  // namespace launcher::preview

#endif
