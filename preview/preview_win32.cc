// What the preview reads and where it prints, on Windows: the launcher's own reads (win32_reads.h), and the
// console.
#include "preview/preview.h"

#include <windows.h>

#include "platform/win32_reads.h"

namespace launcher::preview {

unsigned long ReadCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadCurrentDirectory(field, capacity);
}

bool ReadShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

unsigned long ReadSystemDirectory(char *field, unsigned long capacity) {
  return win32::ReadSystemDirectory(field, capacity);
}

unsigned long ReadWindowsDirectory(char *field, unsigned long capacity) {
  return win32::ReadWindowsDirectory(field, capacity);
}

bool IsFile(const char *path) { return win32::IsFile(path); }

bool IsFolder(const char *path) { return win32::IsFolder(path); }

int ReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return win32::ReadProfileInt(file, section, key, fallback);
}

void ReadProfileString(const char *file, const char *section, const char *key, char *field,
                       unsigned long capacity) {
  win32::ReadProfileString(file, section, key, field, capacity);
}

// A missing key gives the default, so two reads with different defaults differ only when it is missing.
bool HasProfileKey(const char *file, const char *section, const char *key) {
  char first[2] = {};
  char second[2] = {};
  GetPrivateProfileStringA(section, key, "\x01", first, sizeof first, file);
  GetPrivateProfileStringA(section, key, "\x02", second, sizeof second, file);
  return first[0] == second[0];
}

unsigned long ReadProfileSectionNames(const char *file, char *buffer, unsigned long capacity) {
  return GetPrivateProfileSectionNamesA(buffer, capacity, file);
}

unsigned long ReadProfileSection(const char *file, const char *section, char *buffer, unsigned long capacity) {
  return GetPrivateProfileSectionA(section, buffer, capacity, file);
}

// The paths the run composes hold at most 1199 characters; a longer one is too long for Windows anyway.
unsigned long FullPathLength(const char *path) {
  constexpr int kCapacity = 1200;
  wchar_t wide[kCapacity];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kCapacity) == 0) return lstrlenA(path);
  const DWORD needed = GetFullPathNameW(wide, 0, nullptr, nullptr);
  return needed == 0 ? lstrlenW(wide) : needed - 1;
}

void ReadScreenSize(int &width, int &height) { win32::ReadScreenSize(width, height); }

LocalDate ReadLocalDate() { return win32::ReadLocalDate(); }

long ReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  return win32::ReadFilePart(path, offset, buffer, capacity);
}

void Write(std::string_view text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace launcher::preview
