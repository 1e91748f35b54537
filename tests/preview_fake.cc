#include "tests/preview_fake.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tests/folder_answer.h"

#include "preview/preview.h"

namespace launcher {
namespace {

PreviewAnswers answers;

const std::string *Find(const char *file, const char *section, const char *key) {
  auto found = answers.profile.find({file, section, key});
  return found == answers.profile.end() ? nullptr : &found->second;
}

}  // namespace

PreviewAnswers &Answers() { return answers; }

namespace preview {

unsigned long ReadCurrentDirectory(char *field, unsigned long capacity) {
  return CopyFolder(answers.currentDirectory, field, capacity);
}

bool ReadShortCurrentDirectory(char *field, unsigned long capacity) {
  const std::string &folder = answers.shortCurrentDirectory;
  return !folder.empty() && CopyFolder(folder, field, capacity) < capacity;
}

unsigned long ReadSystemDirectory(char *field, unsigned long capacity) {
  return CopyFolder(answers.systemDirectory, field, capacity);
}

unsigned long ReadWindowsDirectory(char *field, unsigned long capacity) {
  return CopyFolder(answers.windowsDirectory, field, capacity);
}

bool IsFile(const char *path) { return answers.files.count(path) != 0; }

bool IsFolder(const char *path) { return answers.folders.count(path) != 0; }

int ReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  const std::string *value = Find(file, section, key);
  return value ? static_cast<int>(std::strtol(value->c_str(), nullptr, 10)) : fallback;
}

void ReadProfileString(const char *file, const char *section, const char *key, char *field,
                       unsigned long capacity) {
  const std::string *value = Find(file, section, key);
  const std::string text = value ? value->substr(0, capacity - 1) : "";
  std::memcpy(field, text.c_str(), text.size() + 1);
}

bool HasProfileKey(const char *file, const char *section, const char *key) {
  return Find(file, section, key) != nullptr;
}

// The file's names and lines in the answers' order (sorted), zero-separated, cut as Windows cuts them.
static unsigned long CopyList(const std::string &list, char *buffer, unsigned long capacity) {
  if (list.size() + 1 > capacity) {
    std::memcpy(buffer, list.data(), capacity - 2);
    buffer[capacity - 2] = buffer[capacity - 1] = '\0';
    return capacity - 2;
  }
  std::memcpy(buffer, list.c_str(), list.size() + 1);
  return list.size();
}

unsigned long ReadProfileSectionNames(const char *file, char *buffer, unsigned long capacity) {
  std::string list;
  std::string previous;
  for (const auto &[where, value] : answers.profile) {
    if (std::get<0>(where) != file || std::get<1>(where) == previous) continue;
    previous = std::get<1>(where);
    list += previous + '\0';
  }
  return CopyList(list, buffer, capacity);
}

unsigned long ReadProfileSection(const char *file, const char *section, char *buffer, unsigned long capacity) {
  std::string list;
  for (const auto &[where, value] : answers.profile) {
    if (std::get<0>(where) == file && std::get<1>(where) == section) list += std::get<2>(where) + "=" + value + '\0';
  }
  return CopyList(list, buffer, capacity);
}

// ".\" resolves against the current directory.
unsigned long FullPathLength(const char *path) {
  const std::string text = path;
  if (text.rfind(".\\", 0) == 0) return answers.currentDirectory.size() + text.size() - 1;
  return text.size();
}

void ReadScreenSize(int &width, int &height) {
  width = answers.screenWidth;
  height = answers.screenHeight;
}

LocalDate ReadLocalDate() { return answers.date; }

long ReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  if (answers.files.count(path) == 0) return kFileMissing;
  const auto found = answers.contents.find(path);
  if (found == answers.contents.end()) return kFileUnreadable;
  return CopyFilePart(found->second, offset, buffer, capacity);
}

DeviceId ReadPrimaryDisplayDeviceId() {
  DeviceId id;
  answers.displayDeviceId.copy(id.bytes.data(), kDeviceIdCapacity - 1);
  return id;
}

void Write(std::string_view text) { answers.output.append(text); }

}  // namespace preview
}  // namespace launcher
