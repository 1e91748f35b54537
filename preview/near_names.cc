#include "preview/near_names.h"

#include <cstddef>

#include "platform/text.h"
#include "settings/settings.h"

namespace launcher::preview {
namespace {

bool InFile(const SettingName &known, const char *file) { return std::string_view(known.file) == file; }

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return EqualCaseAside(a, b); }

// The edits row by row, each row kept only as long as the next two need it; a row whose every count is
// past two ends the count there.
int Edits(std::string_view a, std::string_view b) {
  constexpr int kFar = 3;
  constexpr std::size_t kMost = sizeof(NearName);
  if (a.size() >= kMost || b.size() >= kMost || a.size() > b.size() + 2 || b.size() > a.size() + 2) return kFar;
  int beforeLast[kMost] = {};
  int last[kMost];
  int row[kMost];
  for (std::size_t j = 0; j <= b.size(); ++j) last[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = static_cast<int>(i);
    int least = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      int best = last[j - 1] + (AsciiUpper(a[i - 1]) == AsciiUpper(b[j - 1]) ? 0 : 1);
      if (last[j] + 1 < best) best = last[j] + 1;
      if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
      if (i > 1 && j > 1 && AsciiUpper(a[i - 1]) == AsciiUpper(b[j - 2]) &&
          AsciiUpper(a[i - 2]) == AsciiUpper(b[j - 1]) && beforeLast[j - 2] + 1 < best) {
        best = beforeLast[j - 2] + 1;
      }
      row[j] = best;
      if (best < least) least = best;
    }
    if (least >= kFar) return kFar;
    for (std::size_t j = 0; j <= b.size(); ++j) {
      beforeLast[j] = last[j];
      last[j] = row[j];
    }
  }
  return last[b.size()] < kFar ? last[b.size()] : kFar;
}

const char *NearestName(const char *file, const char *section, std::string_view name) {
  const char *nearest = nullptr;
  int fewest = 3;
  for (const SettingName &known : kSettingsFileKeys) {
    if (!InFile(known, file) || (section != nullptr && std::string_view(known.section) != section)) continue;
    const char *candidate = section == nullptr ? known.section : known.key;
    const int edits = Edits(name, candidate);
    if (edits == 0) return "";
    if (edits < fewest) {
      fewest = edits;
      nearest = candidate;
    }
  }
  return nearest;
}

}  // namespace launcher::preview
