#include "preview/settings_files.h"

#include <cstddef>
#include <string_view>

#include "preview/near_names.h"
#include "preview/preview.h"
#include "platform/platform.h"
#include "preview/printer.h"
#include "settings/settings.h"

namespace launcher::preview {
namespace {

// The zero-separated texts of a profile list, one by one; the empty view at the end.
std::string_view Next(const char *&at, const char *end) {
  if (at >= end || *at == '\0') return {};
  const char *begin = at;
  while (at < end && *at != '\0') ++at;
  const std::string_view text(begin, static_cast<std::size_t>(at - begin));
  ++at;
  return text;
}

// The text before the first of those characters, all of it when it holds none (substr would check, and
// bring the library's exceptions into the program).
std::string_view Before(std::string_view text, std::string_view ends) {
  const std::size_t end = text.find_first_of(ends);
  return {text.data(), end == std::string_view::npos ? text.size() : end};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool InFile(const SettingName &known, const char *file) { return std::string_view(known.file) == file; }

// The file's lines, read in parts however long it is, each without the blanks that begin it; a line longer
// than `held` keeps its first part.
struct FileLines {
  const char *file = nullptr;
  unsigned long long offset = 0;
  unsigned char part[4096];
  long partLength = 0;
  long at = 0;
  char held[1024];
};

bool NextLine(FileLines &lines, std::string_view &line) {
  std::size_t length = 0;
  bool begun = false;
  for (;;) {
    if (lines.at == lines.partLength) {
      const long read = PlatformReadFilePart(lines.file, lines.offset, lines.part, sizeof lines.part);
      if (read <= 0) {
        line = {lines.held, length};
        return begun;
      }
      lines.offset += static_cast<unsigned long long>(read);
      lines.partLength = read;
      lines.at = 0;
    }
    const char c = static_cast<char>(lines.part[lines.at++]);
    begun = true;
    if (c == '\n' || c == '\r') {
      line = {lines.held, length};
      return true;
    }
    if (length == 0 && (c == ' ' || c == '\t')) continue;
    if (length < sizeof lines.held) lines.held[length++] = c;
  }
}

// The name of a line that opens a section, as the profile functions take it: "[" (after blanks) and the
// name up to the line's last "]". False for any other line.
bool SectionLine(std::string_view line, std::string_view &name) {
  const std::size_t close = line.rfind(']');
  if (!line.starts_with('[') || close == std::string_view::npos) return false;
  name = {line.data() + 1, close - 1};
  return true;
}

// A key's name: what comes before "=", without blanks around it.
std::string_view KeyName(std::string_view line) { return Trimmed(Before(line, "=")); }

// The names of a file's sections, or of the keys of one of its sections, whole however many: as the
// profile functions list them, or from the file's own lines when that list is cut. The list has the most
// characters their documentation names for a section, so that it is seldom cut; it lives on the stack, a
// list at a time.
struct Names {
  char list[32767];
  const char *section = nullptr;  // none: the names of the sections
  bool fromLines = false;
  const char *at = nullptr;
  const char *end = nullptr;
  FileLines lines;
  bool inSection = false;
};

void StartNames(Names &names, const char *file, const char *section) {
  const unsigned long length = section == nullptr ? ReadProfileSectionNames(file, names.list, sizeof names.list)
                                                  : ReadProfileSection(file, section, names.list, sizeof names.list);
  names.section = section;
  names.fromLines = length + 2 >= sizeof names.list;  // the functions' sign of a cut list
  names.at = names.list;
  names.end = names.list + length;
  names.lines.file = file;
}

bool NextName(Names &names, std::string_view &name) {
  if (!names.fromLines) {
    for (std::string_view entry = Next(names.at, names.end); !entry.empty(); entry = Next(names.at, names.end)) {
      name = names.section == nullptr ? entry : KeyName(entry);
      if (names.section == nullptr || (!name.empty() && !name.starts_with(';'))) return true;
    }
    return false;
  }
  std::string_view line;
  while (NextLine(names.lines, line)) {
    std::string_view section;
    if (SectionLine(line, section)) {
      names.inSection = names.section != nullptr && SameName(section, names.section);
      if (names.section != nullptr || section.empty()) continue;
      name = section;
      return true;
    }
    if (!names.inSection) continue;
    name = KeyName(line);
    if (!name.empty() && !name.starts_with(';')) return true;
  }
  return false;
}

bool HidesSection(const SettingsFileFacts &facts, std::string_view section) {
  return facts.lostSection != nullptr && SameName(section, facts.lostSection);
}

void AddNear(SettingsFileFacts &facts, const char *section, const char *known, std::string_view name) {
  if (facts.nearCount < static_cast<int>(facts.near.size())) {
    NearNameFact &near = facts.near[static_cast<std::size_t>(facts.nearCount)];
    near.section = section;
    near.known = known;
    CopyCut(near.name, name);
  }
  ++facts.nearCount;
}

// A UTF-8 byte-order mark makes Windows' profile functions (not Wine's) take the first line for a key:
// a section that opens the file is lost to them.
void CheckByteOrderMark(const char *file, SettingsFileFacts &facts) {
  unsigned char head[48] = {};
  const long read = PlatformReadFilePart(file, 0, head, sizeof head);
  if (read < 3 || head[0] != 0xEF || head[1] != 0xBB || head[2] != 0xBF) return;
  std::string_view line(reinterpret_cast<const char *>(head) + 3, static_cast<std::size_t>(read) - 3);
  line = Trimmed(Before(line, "\r\n"));
  const std::size_t close = line.find(']');
  if (!line.starts_with('[') || close == std::string_view::npos) {
    Line("  it begins with a UTF-8 byte-order mark: Windows takes it as part of the first line");
    return;
  }
  const std::string_view name(line.data() + 1, close - 1);
  for (const SettingName &known : kSettingsFileKeys) {
    if (!InFile(known, file) || !SameName(name, known.section)) continue;
    Line("  it begins with a UTF-8 byte-order mark before [", known.section,
         "]: Windows does not see that section, and every key in it takes its default (under Wine it does)");
    facts.lostSection = known.section;
    return;
  }
  Line("  it begins with a UTF-8 byte-order mark before [", name, "]: Windows does not see that section");
}

// The launcher's sections that the file holds, one bit for each, by its first place in the settings table.
unsigned SectionBit(const char *file, std::string_view name) {
  for (std::size_t i = 0; i < std::size(kSettingsFileKeys); ++i) {
    if (InFile(kSettingsFileKeys[i], file) && SameName(name, kSettingsFileKeys[i].section)) return 1u << i;
  }
  return 0;
}

unsigned HeldSections(const char *file) {
  unsigned held = 0;
  Names names;
  StartNames(names, file, nullptr);
  for (std::string_view name; NextName(names, name);) held |= SectionBit(file, name);
  return held;
}

// The sections of the file that are not the launcher's: a near one stands, likely, for the launcher's
// own, which then fails the run when the file lacks it.
void CheckSectionNames(const char *file, SettingsFileFacts &facts) {
  const unsigned held = HeldSections(file);
  Names names;
  StartNames(names, file, nullptr);
  for (std::string_view name; NextName(names, name);) {
    const char *known = NearestName(file, nullptr, name);
    if (known != nullptr && *known == '\0') continue;
    if (known == nullptr) {
      Line("  [", name, "]: not a section the launcher reads");
    } else if ((held & SectionBit(file, known)) != 0 && !HidesSection(facts, known)) {
      Line("  [", name, "]: not a section the launcher reads, though near [", known, "], which is there too");
    } else {
      Line("  [", name, "]: not a section the launcher reads, though near [", known,
           "], which is not there: its keys take their defaults");
      AddNear(facts, nullptr, known, name);
    }
  }
}

// Whether the settings table names that section of the file first at this place.
bool FirstOfItsSection(std::size_t index) {
  for (std::size_t i = 0; i < index; ++i) {
    if (std::string_view(kSettingsFileKeys[i].file) == kSettingsFileKeys[index].file &&
        std::string_view(kSettingsFileKeys[i].section) == kSettingsFileKeys[index].section) {
      return false;
    }
  }
  return true;
}

// The same for the keys of each of the launcher's sections that Windows sees.
void CheckKeyNames(const char *file, SettingsFileFacts &facts) {
  for (std::size_t i = 0; i < std::size(kSettingsFileKeys); ++i) {
    const char *section = kSettingsFileKeys[i].section;
    if (!InFile(kSettingsFileKeys[i], file) || !FirstOfItsSection(i) || HidesSection(facts, section)) continue;
    Names names;
    StartNames(names, file, section);
    for (std::string_view name; NextName(names, name);) {
      const char *known = NearestName(file, section, name);
      if (known != nullptr && *known == '\0') continue;
      if (known == nullptr) {
        Line("  [", section, "] ", name, ": not a key the launcher reads");
      } else if (HasProfileKey(file, section, known)) {
        Line("  [", section, "] ", name, ": not a key the launcher reads, though near ", known, ", which is there too");
      } else {
        Line("  [", section, "] ", name, ": not a key the launcher reads, though near ", known,
             ", which is not there: it takes its default");
        AddNear(facts, section, known, name);
      }
    }
  }
}

}  // namespace

void CheckSettingsFile(const char *file, SettingsFileFacts &facts) {
  facts.file = file;
  const unsigned long length = PlatformFullPathLength(file);
  if (TooLongForWindows(length)) {
    Line("settings file ", file, ": ", length, " characters with the current directory, more than the ", kLongestPath,
         " Windows opens without long-path support: every key in it takes its default");
    facts.tooLong = length;
    return;
  }
  if (!PlatformIsFile(file)) {
    Line("settings file ", file, ": ABSENT: every key in it takes its default");
    return;
  }
  Line("settings file ", file, ": present");
  CheckByteOrderMark(file, facts);
  CheckSectionNames(file, facts);
  CheckKeyNames(file, facts);
}

}  // namespace launcher::preview
