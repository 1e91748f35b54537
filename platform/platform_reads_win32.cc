// The launcher's platform reads, with the ANSI Win32 functions (platform/win32_reads.h): the launcher and
// the preview link this file, so that the preview reads exactly what a run reads.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32_reads.h"

namespace launcher {

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadCurrentDirectory(field, capacity);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  return win32::ReadSystemDirectory(field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  return win32::ReadWindowsDirectory(field, capacity);
}

bool PlatformIsFile(const char *path) { return win32::IsFile(path); }

bool PlatformIsFolder(const char *path) { return win32::IsFolder(path); }

long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  return win32::ReadFilePart(path, offset, buffer, capacity);
}

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return win32::ReadProfileInt(file, section, key, fallback);
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  win32::ReadProfileString(file, section, key, field, capacity);
}

void PlatformReadScreenSize(int &width, int &height) { win32::ReadScreenSize(width, height); }

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

// The paths the run composes hold at most 1199 characters; a longer one is too long for Windows anyway.
unsigned long PlatformFullPathLength(const char *path) {
  constexpr int kCapacity = 1200;
  wchar_t wide[kCapacity];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kCapacity) == 0) return lstrlenA(path);
  const DWORD needed = GetFullPathNameW(wide, 0, nullptr, nullptr);
  return needed == 0 ? lstrlenW(wide) : needed - 1;
}

}  // namespace launcher
