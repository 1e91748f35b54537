// The registry script that ships beside the game, imported before anything else happens.
#ifndef LAUNCHER_REGISTRY_SCRIPT_H
#define LAUNCHER_REGISTRY_SCRIPT_H

#include "platform/platform.h"

namespace launcher {

// Starts the system registry editor, by its full path, on CONF\TMPFILE.TXT below the working directory,
// without waiting.
void ImportRegistryScript(const WorkingDirectory &workingDirectory);

}  // namespace launcher

#endif
