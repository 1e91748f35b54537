// How the test doubles answer a folder read, as GetCurrentDirectoryA and its kin do, and a file read.
#ifndef LAUNCHER_TESTS_FOLDER_ANSWER_H
#define LAUNCHER_TESTS_FOLDER_ANSWER_H

#include <algorithm>
#include <cstring>
#include <string>

namespace launcher {

// The folder's length, or the capacity needed when it does not fit (and then nothing is copied), or 0
// for an empty text.
inline unsigned long CopyFolder(const std::string &folder, char *field, unsigned long capacity) {
  if (folder.size() + 1 > capacity) return folder.size() + 1;
  std::memcpy(field, folder.c_str(), folder.size() + 1);
  return folder.size();
}

// Up to `capacity` bytes of the content from `offset` on: how many were copied, 0 at its end.
inline long CopyFilePart(const std::string &content, unsigned long long offset, unsigned char *buffer,
                         unsigned long capacity) {
  if (offset >= content.size()) return 0;
  const std::size_t count = std::min<std::size_t>(capacity, content.size() - offset);
  std::memcpy(buffer, content.data() + offset, count);
  return static_cast<long>(count);
}

}  // namespace launcher

#endif
