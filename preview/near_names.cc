#include "preview/near_names.h"

#include <cstddef>

#include "platform/text.h"
#include "settings/settings.h"

namespace launcher::preview {
namespace {

bool InFile(const SettingName &known, const char *file) { return std::string_view(known.file) == file; }

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return EqualCaseAside(a, b); }

int Edits(std::string_view a, std::string_view b) {
  constexpr std::size_t kMost = sizeof(NearName);
  if (a.size() >= kMost || b.size() >= kMost || a.size() > b.size() + 2 || b.size() > a.size() + 2) return 3;
  int d[kMost][kMost] = {};
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      int best = d[i - 1][j - 1] + (AsciiUpper(a[i - 1]) == AsciiUpper(b[j - 1]) ? 0 : 1);
      if (d[i - 1][j] + 1 < best) best = d[i - 1][j] + 1;
      if (d[i][j - 1] + 1 < best) best = d[i][j - 1] + 1;
      if (i > 1 && j > 1 && AsciiUpper(a[i - 1]) == AsciiUpper(b[j - 2]) && AsciiUpper(a[i - 2]) == AsciiUpper(b[j - 1]) &&
          d[i - 2][j - 2] + 1 < best) {
        best = d[i - 2][j - 2] + 1;
      }
      d[i][j] = best;
    }
  }
  return d[a.size()][b.size()] < 3 ? d[a.size()][b.size()] : 3;
}

bool IsLaunchersSection(const char *file, std::string_view name) {
  for (const SettingName &known : kSettingsFileKeys) {
    if (InFile(known, file) && SameName(name, known.section)) return true;
  }
  return false;
}

const char *NearSection(const char *file, std::string_view name) {
  for (const SettingName &known : kSettingsFileKeys) {
    if (!InFile(known, file)) continue;
    const int edits = Edits(name, known.section);
    if (edits > 0 && edits < 3) return known.section;
  }
  return nullptr;
}

const char *NearKey(const char *file, const char *section, std::string_view name) {
  const char *nearest = nullptr;
  int fewest = 3;
  for (const SettingName &known : kSettingsFileKeys) {
    if (!InFile(known, file) || std::string_view(known.section) != section) continue;
    const int edits = Edits(name, known.key);
    if (edits == 0) return "";
    if (edits < fewest) {
      fewest = edits;
      nearest = known.key;
    }
  }
  return nearest;
}

}  // namespace launcher::preview
