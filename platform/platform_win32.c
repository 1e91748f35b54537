/* The launcher's platform operations, carried out with the ANSI Win32 functions. */
#include "platform/platform.h"

#include <windows.h>
#include <shellapi.h>

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return (int)GetPrivateProfileIntA(section, key, fallback, file);
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  GetPrivateProfileStringA(section, key, "", field, capacity, file);
}

void PlatformPause(unsigned long milliseconds) { Sleep(milliseconds); }

void PlatformReadScreenSize(int *width, int *height) {
  HDC screen = GetDC(NULL);
  *width = GetDeviceCaps(screen, HORZRES);
  *height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(NULL, screen);
}

RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey) {
  HKEY key = NULL;
  RegCreateKeyA(root == kRegistryLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subkey, &key);
  return key;
}

void PlatformSetRegistryValue(RegistryKey key, const char *name, unsigned long type, const unsigned char *data,
                              unsigned long length) {
  RegSetValueExA((HKEY)key, name, 0, type, data, length);
}

void PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  ShellExecuteA(NULL, NULL, file, parameters, directory, SW_SHOW);
}

LocalDate PlatformReadLocalDate(void) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  LocalDate date = {now.wYear, now.wMonth, now.wDay};
  return date;
}

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

void PlatformShowMessage(const char *text) { MessageBoxA(NULL, text, NULL, MB_OK); }
