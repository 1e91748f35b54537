#include "tests/preview_fake.h"

#include <cstring>
#include <tuple>

#include "preview/preview.h"

namespace launcher {
namespace {

PreviewAnswers answers;

// The file's names and lines in the settings' order (sorted), zero-separated, cut as Windows cuts them.
unsigned long CopyList(const std::string &list, char *buffer, unsigned long capacity) {
  if (list.size() + 1 > capacity) {
    std::memcpy(buffer, list.data(), capacity - 2);
    buffer[capacity - 2] = buffer[capacity - 1] = '\0';
    return capacity - 2;
  }
  std::memcpy(buffer, list.c_str(), list.size() + 1);
  return list.size();
}

}  // namespace

PreviewAnswers &Answers() { return answers; }

namespace preview {

bool HasProfileKey(const char *file, const char *section, const char *key) {
  return Fake().profile.count({file, section, key}) != 0;
}

unsigned long ReadProfileSectionNames(const char *file, char *buffer, unsigned long capacity) {
  std::string list;
  std::string previous;
  for (const auto &[where, value] : Fake().profile) {
    if (std::get<0>(where) != file || std::get<1>(where) == previous) continue;
    previous = std::get<1>(where);
    list += previous + '\0';
  }
  return CopyList(list, buffer, capacity);
}

unsigned long ReadProfileSection(const char *file, const char *section, char *buffer, unsigned long capacity) {
  std::string list;
  for (const auto &[where, value] : Fake().profile) {
    if (std::get<0>(where) == file && std::get<1>(where) == section) list += std::get<2>(where) + "=" + value + '\0';
  }
  return CopyList(list, buffer, capacity);
}

DeviceId ReadPrimaryDisplayDeviceId() {
  DeviceId id;
  answers.displayDeviceId.copy(id.bytes.data(), kDeviceIdCapacity - 1);
  return id;
}

void Write(std::string_view text) { answers.output.append(text); }

}  // namespace preview
}  // namespace launcher
