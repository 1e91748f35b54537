// The Win32 reads of more than one call, shared by the platform files of the launcher, the companion and
// the preview: the current directory's short form in the ANSI code page, whether a path names a file, the
// screen's size and the local date.
#ifndef LAUNCHER_PLATFORM_WIN32_READS_H
#define LAUNCHER_PLATFORM_WIN32_READS_H

#include <windows.h>

#include "platform/platform.h"

namespace launcher::win32 {

// GetCurrentDirectoryW, GetShortPathNameW and WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS): true, with
// the field filled, when the current directory has a short form that the code page spells exactly and that
// fits the field with its zero.
inline bool ReadShortCurrentDirectory(char *field, unsigned long capacity) {
  // The longest path Windows names, in UTF-16 units with the zero.
  constexpr DWORD kWidePathCapacity = 32768;
  wchar_t directory[kWidePathCapacity];
  const DWORD length = GetCurrentDirectoryW(kWidePathCapacity, directory);
  if (length == 0 || length >= kWidePathCapacity) return false;
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
