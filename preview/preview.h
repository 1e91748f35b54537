// launcher-check.exe, the preview: what a run in the current folder would do and why, without doing it. It
// asks the launcher's own stages for their decisions, through the launcher's own reads, prints them and
// hands them to the verdict; it links none of the launcher's effects. Besides those reads it looks at the
// settings files as a whole and at the display adapter, through the reads here: preview_win32.cc answers
// them on Windows, the unit tests with fixed answers.
#ifndef LAUNCHER_PREVIEW_PREVIEW_H
#define LAUNCHER_PREVIEW_PREVIEW_H

#include <string_view>

#include "companion/vendor_id.h"

namespace launcher::preview {

// Whether the file has the key in that section, whatever its value.
bool HasProfileKey(const char *file, const char *section, const char *key);

// GetPrivateProfileSectionNamesA: the file's section names, each ending in a zero, one more zero after the
// last; how many characters were copied without that last zero (capacity - 2 when not all fit).
unsigned long ReadProfileSectionNames(const char *file, char *buffer, unsigned long capacity);

// GetPrivateProfileSectionA: the section's lines as "key=value", likewise.
unsigned long ReadProfileSection(const char *file, const char *section, char *buffer, unsigned long capacity);

// The primary display adapter's DeviceID, read as the companion reads it.
DeviceId ReadPrimaryDisplayDeviceId();

// Standard output: the texts as they are, in the ANSI code page, or, after WriteInUtf8 (launcher-check.exe
// --utf8, on Windows only), in UTF-8.
void Write(std::string_view text);
void WriteInUtf8();

// The run, printed stage by stage, then its verdict; returns the preview's exit code (verdict.h).
int PreviewRun();

}  // namespace launcher::preview

#endif
