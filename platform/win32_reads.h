// The Win32 reads, shared by the platform files of the launcher, the companion and the preview, so that the
// preview reads exactly what the launcher does.
#ifndef LAUNCHER_PLATFORM_WIN32_READS_H
#define LAUNCHER_PLATFORM_WIN32_READS_H

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "platform/dll_search_win32.h"
#include "platform/platform.h"

namespace launcher::win32 {

// No critical-error box of Windows' own (a drive without its disk, say) while this thread reads the paths
// the settings name: the read fails and the run goes on, as for a path that names nothing. For this
// thread only: a program it starts inherits the process's error mode (GetErrorMode: "A child process
// inherits the error mode of its parent process"), which stays Windows' default. SetThreadErrorMode needs
// Windows 7; before it, the box may show.
inline void FailCriticalErrorsInThread() {
  using SetThreadErrorModeFunction = BOOL(WINAPI *)(DWORD, LPDWORD);
  const auto setThreadErrorMode =
      ModuleFunction<SetThreadErrorModeFunction>(GetModuleHandleA("kernel32.dll"), "SetThreadErrorMode");
  if (setThreadErrorMode != nullptr) setThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
}

// The longest path Windows names, in UTF-16 units with the zero.
inline constexpr DWORD kWidePathCapacity = 32768;

// GetCurrentDirectoryW: the current directory's length, or 0 when it cannot be read whole.
inline DWORD ReadWideCurrentDirectory(wchar_t (&directory)[kWidePathCapacity]) {
  const DWORD length = GetCurrentDirectoryW(kWidePathCapacity, directory);
  return length < kWidePathCapacity ? length : 0;
}

// GetCurrentDirectoryW, GetShortPathNameW and WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS): true, with
// the field filled, when the current directory has a short form that the code page spells exactly and that
// fits the field with its zero.
inline bool ReadShortCurrentDirectory(char *field, unsigned long capacity) {
  wchar_t directory[kWidePathCapacity];
  if (ReadWideCurrentDirectory(directory) == 0) return false;
  wchar_t shortForm[kWidePathCapacity];
  const DWORD shortLength = GetShortPathNameW(directory, shortForm, kWidePathCapacity);
  if (shortLength == 0 || shortLength >= kWidePathCapacity) return false;
  // Without best fit, a character the code page lacks is not swapped for a look-alike that names another
  // folder: it sets the used-default flag instead.
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortForm, -1, field,
                                        static_cast<int>(capacity), nullptr, &usedDefault);
  return bytes > 0 && !usedDefault;
}

// GetFileAttributesA: the path names a file, not a folder.
inline bool IsFile(const char *path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// GetFileAttributesA: the path names a folder.
inline bool IsFolder(const char *path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline unsigned long ReadCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

inline unsigned long ReadSystemDirectory(char *field, unsigned long capacity) {
  return GetSystemDirectoryA(field, capacity);
}

inline unsigned long ReadWindowsDirectory(char *field, unsigned long capacity) {
  return GetWindowsDirectoryA(field, capacity);
}

inline int ReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

inline void ReadProfileString(const char *file, const char *section, const char *key, char *field,
                              unsigned long capacity) {
  GetPrivateProfileStringA(section, key, "", field, capacity, file);
}

// Up to `capacity` bytes of the file from `offset` on; shared, so that a file another program holds open is
// read all the same.
inline long ReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer,
                         unsigned long capacity) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kFileMissing : kFileUnreadable;
  }
  // On a handle opened for plain reading, the offset of an OVERLAPPED is where a ReadFile starts.
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  const bool done = ReadFile(file, buffer, capacity, &read, &at) || GetLastError() == ERROR_HANDLE_EOF;
  CloseHandle(file);
  return done ? static_cast<long>(read) : kFileUnreadable;
}

// EnumDisplayDevicesA over the adapters until the one flagged DISPLAY_DEVICE_PRIMARY_DEVICE: its DeviceID in
// the field, cut to capacity - 1 characters; the empty text when no adapter is flagged primary. The
// companion writes the vendor it names, and the preview says what the companion would write.
inline void ReadPrimaryDisplayDeviceId(char *field, std::size_t capacity) {
  field[0] = '\0';
  DISPLAY_DEVICEA device;
  for (DWORD index = 0;; ++index) {
    std::memset(&device, 0, sizeof device);
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(nullptr, index, &device, 0)) return;
    if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
      const std::size_t length = capacity - 1 < sizeof device.DeviceID - 1 ? capacity - 1 : sizeof device.DeviceID - 1;
      std::memcpy(field, device.DeviceID, length);
      field[length] = '\0';
      return;
    }
  }
}

// GetDC(NULL), GetDeviceCaps HORZRES and VERTRES, ReleaseDC.
inline void ReadScreenSize(int &width, int &height) {
  HDC screen = GetDC(nullptr);
  width = GetDeviceCaps(screen, HORZRES);
  height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
}

// GetLocalTime.
inline LocalDate ReadLocalDate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace launcher::win32

#endif
