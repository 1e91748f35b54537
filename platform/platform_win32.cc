// The launcher's platform operations, carried out with the ANSI Win32 functions.
#include "platform/platform.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32_reads.h"

namespace launcher {

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  return GetSystemDirectoryA(field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  return GetWindowsDirectoryA(field, capacity);
}

bool PlatformFileExists(const char *path) { return win32::IsFile(path); }

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  GetPrivateProfileStringA(section, key, "", field, capacity, file);
}

void PlatformPause(unsigned long milliseconds) { Sleep(milliseconds); }

void PlatformReadScreenSize(int &width, int &height) { win32::ReadScreenSize(width, height); }

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

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

void PlatformShowMessage(const char *text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

}  // namespace launcher
