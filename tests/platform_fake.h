// A recording double of the platform layer for the unit tests. Each operation appends one line to
// Fake().calls and answers from the data a test has put into Fake().
#ifndef LAUNCHER_TESTS_PLATFORM_FAKE_H
#define LAUNCHER_TESTS_PLATFORM_FAKE_H

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {

struct RegistryWrite {
  std::string key;  // "HKLM\subkey" or "HKCU\subkey"
  std::string name;
  unsigned long type;
  std::vector<unsigned char> data;
};

struct FakePlatform {
  // GetCurrentDirectoryA: a directory that does not fit the caller's capacity is not copied.
  std::string currentDirectory = "C:\\Games\\Demo";
  bool currentDirectoryUnreadable = false;
  // Its short form as the code page spells it, or none when empty; unspelled when the code page lacks
  // one of its characters.
  std::string shortCurrentDirectory;
  bool shortCurrentDirectoryUnspelled = false;
  // GetSystemDirectoryA, GetWindowsDirectoryA; a folder longer than the caller's capacity is not copied.
  std::string systemDirectory = "C:\\Windows\\system32";
  std::string windowsDirectory = "C:\\Windows";
  // The files GetFileAttributesA finds, and the folders.
  std::set<std::string> files = {"C:\\Windows\\system32\\REGEDIT.EXE"};
  std::set<std::string> folders;
  // What ReadFile finds in a file, by path; a path missing here is a missing file, one in `unreadable`
  // cannot be opened.
  std::map<std::string, std::string> contents;
  std::set<std::string> unreadable;
  // Whether another launcher holds the current directory.
  bool directoryHeld = false;
  // What a program's start answers: 0 when it started, else a system error code.
  unsigned long startError = 0;
  // Settings by (file, section, key); integers are kept as the text the file would hold.
  std::map<std::tuple<std::string, std::string, std::string>, std::string> profile;
  int screenWidth = 1920;
  int screenHeight = 1080;
  LocalDate date = {2012, 10, 31};
  // GetFullPathNameW's length of a path, where it is not the path's own length (an absolute ASCII path).
  std::map<std::string, unsigned long> fullPathLengths;

  std::vector<std::string> calls;
  std::vector<RegistryWrite> registryWrites;
  std::vector<std::string> messages;  // the report's texts
  std::deque<std::string> openKeys;  // a key handle points at its name here
};

FakePlatform &Fake();

void SetSetting(const std::string &file, const std::string &section, const std::string &key,
                const std::string &value);

// Only the calls whose line starts with `prefix`, in order.
std::vector<std::string> CallsStartingWith(const std::string &prefix);

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { Fake() = FakePlatform(); }
};

// A text field holding the string; the test fails when it does not fit.
template <std::size_t N>
Text<N> TextOf(const std::string &text) {
  Text<N> field;
  EXPECT_LT(text.size(), N) << "the text does not fit its field";
  text.copy(field.bytes.data(), N - 1);
  return field;
}

inline WorkingDirectory DirectoryOf(const std::string &text) { return TextOf<kWorkingDirectoryCapacity>(text); }

// The head of a program image as the PE format lays it out: the MS-DOS header, whose last four bytes point
// at "PE\0\0" right after it, then an i386 file header with these Characteristics (by default an
// executable image; IMAGE_FILE_DLL, 0x2000, makes it a DLL's).
inline std::string ProgramImage(unsigned characteristics = 0x0102) {
  std::string image(64 + 24, '\0');
  image.replace(0, 2, "MZ");
  image[0x3C] = 64;
  image.replace(64, 6, std::string("PE\0\0\x4c\x01", 6));
  image[64 + 22] = static_cast<char>(characteristics & 0xFF);
  image[64 + 23] = static_cast<char>(characteristics >> 8);
  return image;
}

}  // namespace launcher

#endif
