// What the preview reads and where it prints, on Windows: the launcher's own reads (win32_reads.h), the
// companion's read of the display adapter, and standard output.
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

DeviceId ReadPrimaryDisplayDeviceId() {
  DeviceId id;
  win32::ReadPrimaryDisplayDeviceId(id.bytes.data(), kDeviceIdCapacity);
  return id;
}

namespace {

bool utf8Output = false;

void WriteBytes(const char *bytes, std::size_t length) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void WriteInUtf8() { utf8Output = true; }

// In UTF-8, the text goes from the ANSI code page to UTF-16 and on, in parts that end between characters.
void Write(std::string_view text) {
  if (!utf8Output) {
    WriteBytes(text.data(), text.size());
    return;
  }
  constexpr std::size_t kPart = 1024;
  while (!text.empty()) {
    std::size_t length = 0;
    while (length < text.size() && length < kPart) {
      length += IsDBCSLeadByte(static_cast<BYTE>(text[length])) && length + 1 < text.size() ? 2 : 1;
    }
    wchar_t wide[kPart + 1];
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(length), wide, kPart + 1);
    char utf8[3 * (kPart + 1)];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8, sizeof utf8, nullptr, nullptr);
    WriteBytes(utf8, static_cast<std::size_t>(bytes));
    text.remove_prefix(length);
  }
}

}  // namespace launcher::preview
