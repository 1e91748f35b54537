// How the test doubles answer a folder read, as GetCurrentDirectoryA and its kin do.
#ifndef LAUNCHER_TESTS_FOLDER_ANSWER_H
#define LAUNCHER_TESTS_FOLDER_ANSWER_H

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

}  // namespace launcher

#endif
