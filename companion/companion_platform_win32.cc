#include "companion/companion_platform.h"

#include <windows.h>

#include <cstring>

#include "platform/dll_search_win32.h"
#include "platform/platform.h"
#include "platform/start_failure_win32.h"
#include "platform/win32_reads.h"

namespace launcher {

// The launcher's platform operations that the companion shares.

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

bool PlatformIsFile(const char *path) { return win32::IsFile(path); }

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

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

namespace {

using win32::kWidePathCapacity;

// The companion's own full path, in a field of kWidePathCapacity: its length, or 0 when it is not had in
// full. A path as long as the field or longer comes back cut to the field (Windows 7 and later set
// ERROR_INSUFFICIENT_BUFFER, XP leaves it without its zero): only a shorter one is the whole path.
DWORD ReadOwnPath(wchar_t *path) {
  const DWORD length = GetModuleFileNameW(nullptr, path, kWidePathCapacity);
  return length < kWidePathCapacity ? length : 0;
}

// The launcher.exe beside the companion, by its full path: the companion's path with its file name
// replaced. Its length, or 0 when the companion's path is not had in full or the launcher's does not fit.
DWORD ComposeLauncherPath(wchar_t (&launcher)[kWidePathCapacity]) {
  static constexpr wchar_t kLauncherName[] = L"launcher.exe";
  constexpr DWORD kLauncherNameLength = sizeof kLauncherName / sizeof kLauncherName[0] - 1;
  const DWORD length = ReadOwnPath(launcher);
  if (length == 0) return 0;
  DWORD folderLength = length;  // up to and with the last backslash
  while (folderLength > 0 && launcher[folderLength - 1] != L'\\') --folderLength;
  if (folderLength == 0) return 0;
  const DWORD launcherLength = folderLength + kLauncherNameLength;
  if (launcherLength >= kWidePathCapacity) return 0;
  std::memcpy(launcher + folderLength, kLauncherName, sizeof kLauncherName);
  return launcherLength;
}

}  // namespace

unsigned long CompanionStartLauncher() {
  wchar_t launcher[kWidePathCapacity];
  const DWORD launcherLength = ComposeLauncherPath(launcher);
  if (launcherLength == 0) return ERROR_FILENAME_EXCED_RANGE;

  STARTUPINFOW startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  // No launcher.exe there (or a folder of that name): it fails and nothing is started.
  // No command line: the launcher takes no arguments, and Windows gives it its own path as the command line.
  if (!CreateProcessW(launcher, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    return GetLastError();
  }
  // Windows lets the launcher, its message box and what it starts come to the front only when the
  // companion, which the player's click started and which has no window, allows it; before its first
  // instruction, so that nothing it does comes too early.
  AllowSetForegroundWindow(process.dwProcessId);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

bool CompanionRunsElevated() {
  HANDLE token = nullptr;
  TOKEN_ELEVATION elevation{};
  DWORD length = 0;
  // Unread, it counts as elevated: the companion then never starts itself again, not even in a loop.
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return true;
  const bool read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &length);
  CloseHandle(token);
  return !read || elevation.TokenIsElevated != 0;
}

unsigned long CompanionRestartElevated() {
  wchar_t companion[kWidePathCapacity];
  wchar_t directory[kWidePathCapacity];
  if (ReadOwnPath(companion) == 0 || win32::ReadWideCurrentDirectory(directory) == 0) {
    return ERROR_FILENAME_EXCED_RANGE;
  }
  using ShellExecuteExFunction = BOOL(WINAPI *)(SHELLEXECUTEINFOW *);
  const HMODULE shell = win32::LoadSystemShell();
  const auto shellExecuteEx =
      shell == nullptr ? nullptr : win32::ModuleFunction<ShellExecuteExFunction>(shell, "ShellExecuteExW");
  if (shellExecuteEx == nullptr) return ERROR_DLL_NOT_FOUND;
  SHELLEXECUTEINFOW start;
  std::memset(&start, 0, sizeof start);
  start.cbSize = sizeof start;
  // The companion ends right after the call and has no message loop: the start is done before it returns.
  // A failure is said in the companion's own box.
  start.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  start.lpVerb = L"runas";
  start.lpFile = companion;
  start.lpDirectory = directory;
  start.nShow = SW_SHOWNORMAL;
  // The elevated companion's process id is not known before it runs.
  AllowSetForegroundWindow(ASFW_ANY);
  return shellExecuteEx(&start) ? 0 : GetLastError();
}

void CompanionShowStartFailure(unsigned long error) {
  const bool chinese = win32::ChineseUserInterface();
  wchar_t text[win32::kStartFailureTextCapacity];
  DWORD at = win32::BeginStartFailure(text, chinese);
  const DWORD length = ReadOwnPath(text + at);
  at = length == 0 ? win32::AppendWide(text, at, L"companion.exe") : at + length;
  win32::ShowStartFailure(text, at, nullptr, error, chinese);
}

}  // namespace launcher
