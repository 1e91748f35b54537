// What the preview reads besides the launcher's own reads, and where it prints, on Windows: the settings
// files as a whole, the companion's read of the display adapter, and standard output.
#include "preview/preview.h"

#include <windows.h>

#include "platform/win32_reads.h"

namespace launcher::preview {

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
