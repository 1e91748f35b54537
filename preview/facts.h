// What the verdict takes of one run: the launcher's own decisions, as its stages return them, and what the
// preview's reads found around them (path lengths, the settings files as Windows reads them).
#ifndef LAUNCHER_PREVIEW_FACTS_H
#define LAUNCHER_PREVIEW_FACTS_H

#include <array>
#include <cstddef>
#include <string_view>

#include "display/registry_record.h"
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "launcher/registry_script.h"
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

// A settings file as Windows reads it.
struct SettingsFileFacts {
  const char *file = nullptr;
  unsigned long tooLong = 0;          // its full path's length when longer than Windows opens, else 0
  const char *lostSection = nullptr;  // the launcher's section a UTF-8 byte-order mark hides from Windows
  std::array<NearNameFact, 16> near{};
  int nearCount = 0;  // all of them, also those the array has no room for
};

// Texts that each player's ANSI code page reads in its own way: a byte beyond ASCII in a name the registry
// or the file system matches, one bit each.
enum CodePageTextBit : unsigned {
  kScriptNamesBit = 1u << 0,  // a key or value name of a script read as single bytes
  kSubkeyBit = 1u << 1,
  kValueNameXBit = 1u << 2,
  kValueNameYBit = 1u << 3,
  kGamePathBit = 1u << 4,  // GameExecPath or GameExec
};

struct RunFacts {
  ScriptImport import;
  unsigned long scriptPathLength = 0;  // as Windows counts it once resolved
  SettingsFileFacts settingsFiles[2];
  RegistryTarget target{};
  bool reported = false;     // REGSET is incomplete: the report, and the run's end
  ResolutionRecord record{};  // else the record as the launcher would write it
  GraphicsChoice graphics{};
  unsigned long detectionPathLength = 0;
  GameLaunch launch{};  // once the run comes to the game's start
  unsigned codePageTexts = 0;
};

// A text kept in a field of the facts, cut to what the field holds.
template <std::size_t N>
void CopyCut(Text<N> &field, std::string_view text) {
  field = Text<N>{};
  for (std::size_t i = 0; i < text.size() && i < N - 1; ++i) field.bytes[i] = text[i];
}

}  // namespace launcher::preview

#endif
