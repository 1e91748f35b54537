// Fixed answers for the preview's reads, and its output kept as text, for the preview's unit tests.
#ifndef LAUNCHER_TESTS_PREVIEW_FAKE_H
#define LAUNCHER_TESTS_PREVIEW_FAKE_H

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "platform/platform.h"

namespace launcher {

struct PreviewAnswers {
  std::string currentDirectory = "C:\\Games\\Demo";
  std::string shortCurrentDirectory;  // none when empty
  std::string systemDirectory = "C:\\Windows\\system32";
  std::string windowsDirectory = "C:\\Windows";
  std::set<std::string> files;
  std::set<std::string> folders;
  // What ReadFilePart reads, by path; a file not here cannot be opened, or is missing when not in `files`.
  std::map<std::string, std::string> contents;
  // Settings by (file, section, key), as the file holds them.
  std::map<std::tuple<std::string, std::string, std::string>, std::string> profile;
  int screenWidth = 1600;
  int screenHeight = 900;
  LocalDate date = {2012, 10, 31};
  std::string displayDeviceId = "PCI\\VEN_10DE&DEV_1C82&SUBSYS_00000000&REV_A1";

  std::string output;
};

PreviewAnswers &Answers();

}  // namespace launcher

#endif
