#include "companion/companion_platform.h"

#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/win32_reads.h"

namespace launcher {

// The launcher's platform operations that the companion shares.

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

// Its own.

static_assert(sizeof DISPLAY_DEVICEA::DeviceID == kDeviceIdCapacity, "the field holds a DeviceID");

DeviceId CompanionReadPrimaryDisplayDeviceId() {
  DeviceId id;
  win32::ReadPrimaryDisplayDeviceId(id.bytes.data(), kDeviceIdCapacity);
  return id;
}

void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value) {
  WritePrivateProfileStringA(section, key, value, file);
}

void CompanionStartLauncher() {
  using win32::kWidePathCapacity;
  static constexpr wchar_t kLauncherName[] = L"launcher.exe";
  constexpr DWORD kLauncherNameLength = sizeof kLauncherName / sizeof kLauncherName[0] - 1;

  // A path as long as the field or longer comes back cut to the field (Windows 7 and later set
  // ERROR_INSUFFICIENT_BUFFER, XP leaves it without its zero): only a shorter one is the whole path.
  wchar_t launcher[kWidePathCapacity];
  const DWORD length = GetModuleFileNameW(nullptr, launcher, kWidePathCapacity);
  if (length == 0 || length >= kWidePathCapacity) return;
  DWORD folderLength = length;  // up to and with the last backslash
  while (folderLength > 0 && launcher[folderLength - 1] != L'\\') --folderLength;
  if (folderLength == 0) return;
  const DWORD launcherLength = folderLength + kLauncherNameLength;
  if (launcherLength >= kWidePathCapacity) return;
  std::memcpy(launcher + folderLength, kLauncherName, sizeof kLauncherName);

  // The command line: the same path in quotes (a path holds no quote). CreateProcessW may write to it.
  wchar_t commandLine[kWidePathCapacity + 2];
  commandLine[0] = L'"';
  std::memcpy(commandLine + 1, launcher, launcherLength * sizeof launcher[0]);
  commandLine[launcherLength + 1] = L'"';
  commandLine[launcherLength + 2] = L'\0';

  STARTUPINFOW startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  // No launcher.exe there (or a folder of that name): it fails and nothing is started.
  if (!CreateProcessW(launcher, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace launcher
