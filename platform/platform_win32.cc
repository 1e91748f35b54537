// The launcher's platform operations, carried out with the ANSI Win32 functions.
#include "platform/platform.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace launcher {

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
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
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortForm, -1, field, static_cast<int>(capacity),
                                        nullptr, &usedDefault);
  return bytes > 0 && !usedDefault;
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  return GetSystemDirectoryA(field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  return GetWindowsDirectoryA(field, capacity);
}

bool PlatformFileExists(const char *path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  GetPrivateProfileStringA(section, key, "", field, capacity, file);
}

void PlatformPause(unsigned long milliseconds) { Sleep(milliseconds); }

void PlatformReadScreenSize(int &width, int &height) {
  HDC screen = GetDC(nullptr);
  width = GetDeviceCaps(screen, HORZRES);
  height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
}

RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey) {
  HKEY key = nullptr;
  RegCreateKeyA(root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subkey, &key);
  return key;
}

void PlatformSetRegistryValue(RegistryKey key, const char *name, RegistryValueType type, const unsigned char *data,
                              unsigned long length) {
  RegSetValueExA(static_cast<HKEY>(key), name, 0, static_cast<DWORD>(type), data, length);
}

void PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  ShellExecuteA(nullptr, nullptr, file, parameters, directory, SW_SHOW);
}

LocalDate PlatformReadLocalDate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

void PlatformShowMessage(const char *text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

}  // namespace launcher
