// The settings files as Windows reads them: whether Windows opens each at all (its full path within the
// longest it opens), whether it is there, whether a UTF-8 byte-order mark hides its first section from
// Windows' profile functions, and which names it holds beside the launcher's. A name one or two letters from one of the launcher's that the file lacks stands,
// likely, for it: a misspelling that fails the run.
#ifndef LAUNCHER_PREVIEW_SETTINGS_FILES_H
#define LAUNCHER_PREVIEW_SETTINGS_FILES_H

#include "preview/facts.h"

namespace launcher::preview {

// Prints what Windows makes of the file and keeps it in the facts.
void CheckSettingsFile(const char *file, SettingsFileFacts &facts);

}  // namespace launcher::preview

#endif
