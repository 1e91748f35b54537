// The platform layer for the fuzz target: a world the fuzz input describes (current directory, settings
// files, screen, date) and a record of every call the run makes into it, with its arguments in full.
#ifndef LAUNCHER_TESTS_FUZZ_FUZZ_PLATFORM_H
#define LAUNCHER_TESTS_FUZZ_FUZZ_PLATFORM_H

#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace launcher {

enum class Op {
  kGetCurrentDirectory,  // number: capacity
  kGetShortCurrentDirectory,  // number: capacity
  kGetSystemDirectory,        // number: capacity
  kGetWindowsDirectory,       // number: capacity
  kIsFile,                    // text: path
  kReadProfileInt,       // text: file, section, key; number: default
  kReadProfileString,    // text: file, section, key; number: capacity
  kPause,                // number: milliseconds
  kReadScreenSize,
  kCreateRegistryKey,  // text: "HKLM" or "HKCU", subkey
  kSetRegistryValue,   // text: "HKLM" or "HKCU", subkey, value name; number: type; data: the bytes
  kStartProgram,       // text: file, parameters, directory
  kStartRegistryEditor,  // text: file, parameters, directory, "invoker" or "asking"
  kReadLocalDate,
  kDeleteFile,   // text: path
  kShowMessage,  // text: the message
  kClaimCurrentDirectory,
  kIsFolder,      // text: path
  kReadFilePart,  // text: path; number: offset
  kShowStartFailure,        // text: the game's file below the working directory; number: the error
  kReleaseCurrentDirectory,
};

struct Call {
  Op op;
  std::vector<std::string> text;
  long long number = 0;
  std::vector<unsigned char> data;

  bool operator==(const Call &other) const {
    return op == other.op && text == other.text && number == other.number && data == other.data;
  }
};

inline constexpr char kSystemDirectory[] = "C:\\Windows\\system32";
inline constexpr char kWindowsDirectory[] = "C:\\Windows";

using SettingName = std::tuple<std::string, std::string, std::string>;  // file, section, key

struct FuzzWorld {
  // GetCurrentDirectoryA. The text stops at its first zero byte, as a directory name would.
  bool directoryUnreadable = false;
  std::string directory;
  // The short form as the code page spells it; none when it is not spelled or there is none.
  bool hasShortDirectory = false;
  std::string shortDirectory;
  // Whether the system directory holds the registry editor; the Windows directory always does.
  bool systemDirectoryHoldsEditor = true;
  // Only the keys of the files that exist, by exact file path, section and key.
  std::map<SettingName, int> integers;
  std::map<SettingName, std::string> texts;  // any bytes, zero bytes included
  // The registry script at `scriptPath`: missing, unreadable, or these bytes.
  std::string scriptPath;
  bool scriptExists = false;
  bool scriptUnreadable = false;
  std::string script;
  // Another launcher holds the folder; the game's path names a folder.
  bool directoryHeld = false;
  bool gameIsFolder = false;
  // The game's file at `gamePath`: whether it is there, cannot be read, and its first bytes; what its start
  // answers (0: started, else a system error code). `namedGamePath` is the path the settings name, which
  // GetFullPathNameW finds longer than Windows opens when `gamePathTooLong`.
  std::string gamePath;
  bool gameIsFile = false;
  bool gameUnreadable = false;
  std::string gameHead;
  unsigned long startError = 0;
  std::string namedGamePath;
  bool gamePathTooLong = false;
  int screenWidth = 0;
  int screenHeight = 0;
  LocalDate date = {1601, 1, 1};

  std::vector<Call> calls;
  std::deque<Call> openKeys;  // a key handle points at its kCreateRegistryKey call here
};

FuzzWorld &World();

// Readable form of a call for failure reports: a backslash doubled, bytes outside printable ASCII
// as \xNN.
std::string Describe(const Call &call);

}  // namespace launcher

#endif
