// What launcher-check.exe, the preview, looks at and prints to. Its platform file (preview_platform.cc)
// carries out the launcher's reads through these and prints its effects instead of carrying them out;
// preview_win32.cc answers them on Windows, the unit tests with fixed answers.
#ifndef LAUNCHER_PREVIEW_PREVIEW_H
#define LAUNCHER_PREVIEW_PREVIEW_H

#include <string_view>

#include "companion/vendor_id.h"
#include "platform/platform.h"

namespace launcher::preview {

// The launcher's reads, as its platform operations make them.
unsigned long ReadCurrentDirectory(char *field, unsigned long capacity);
bool ReadShortCurrentDirectory(char *field, unsigned long capacity);
unsigned long ReadSystemDirectory(char *field, unsigned long capacity);
unsigned long ReadWindowsDirectory(char *field, unsigned long capacity);
bool IsFile(const char *path);
bool IsFolder(const char *path);
int ReadProfileInt(const char *file, const char *section, const char *key, int fallback);
void ReadProfileString(const char *file, const char *section, const char *key, char *field,
                       unsigned long capacity);
void ReadScreenSize(int &width, int &height);
LocalDate ReadLocalDate();

// Whether the file has the key in that section, whatever its value.
bool HasProfileKey(const char *file, const char *section, const char *key);

// GetPrivateProfileSectionNamesA: the file's section names, each ending in a zero, one more zero after the
// last; how many characters were copied without that last zero (capacity - 2 when not all fit).
unsigned long ReadProfileSectionNames(const char *file, char *buffer, unsigned long capacity);

// GetPrivateProfileSectionA: the section's lines as "key=value", likewise.
unsigned long ReadProfileSection(const char *file, const char *section, char *buffer, unsigned long capacity);

// GetFullPathNameW: how many characters the path has once resolved against the current directory, as
// Windows counts them (UTF-16), without the zero.
unsigned long FullPathLength(const char *path);

// Up to `capacity` bytes of the file from `offset` on: how many were read (0 at its end), or kFileMissing or
// kFileUnreadable.
long ReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity);

// The primary display adapter's DeviceID, read as the companion reads it.
DeviceId ReadPrimaryDisplayDeviceId();

// Standard output: the texts as they are, in the ANSI code page, or, after WriteInUtf8 (launcher-check.exe
// --utf8, on Windows only), in UTF-8.
void Write(std::string_view text);
void WriteInUtf8();

// From preview_platform.cc, after the run: prints what it would have come to, with a line for every
// reason, and returns the preview's exit code (verdict.h): 0 when a run on Windows would do its whole job
// for every player, 1 when it would fall short, 2 when it would do it for some players only.
int Verdict();

}  // namespace launcher::preview

#endif
