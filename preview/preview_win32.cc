// What the preview reads and where it prints, on Windows: the same ANSI functions as the launcher's own
// platform file, and the console.
#include "preview/preview.h"

#include <windows.h>

#include "platform/win32_reads.h"

namespace launcher::preview {

unsigned long ReadCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

bool ReadShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

unsigned long ReadSystemDirectory(char *field, unsigned long capacity) {
  return GetSystemDirectoryA(field, capacity);
}

unsigned long ReadWindowsDirectory(char *field, unsigned long capacity) {
  return GetWindowsDirectoryA(field, capacity);
}

bool IsFile(const char *path) { return win32::IsFile(path); }

int ReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

void ReadProfileString(const char *file, const char *section, const char *key, char *field,
                       unsigned long capacity) {
  GetPrivateProfileStringA(section, key, "", field, capacity, file);
}

// A missing key gives the default, so two reads with different defaults differ only when it is missing.
bool HasProfileKey(const char *file, const char *section, const char *key) {
  char first[2] = {};
  char second[2] = {};
  GetPrivateProfileStringA(section, key, "\x01", first, sizeof first, file);
  GetPrivateProfileStringA(section, key, "\x02", second, sizeof second, file);
  return first[0] == second[0];
}

void ReadScreenSize(int &width, int &height) { win32::ReadScreenSize(width, height); }

LocalDate ReadLocalDate() { return win32::ReadLocalDate(); }

long ReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD read = 0;
  const bool done = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ReadFile(file, buffer, capacity, &read, nullptr);
  CloseHandle(file);
  return done ? static_cast<long>(read) : -1;
}

void Write(std::string_view text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace launcher::preview
