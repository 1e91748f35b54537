// The registry script that ships beside the game, imported before anything else happens.
#ifndef LAUNCHER_REGISTRY_SCRIPT_H
#define LAUNCHER_REGISTRY_SCRIPT_H

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {

inline constexpr char kImportSwitch[] = "/s ";
inline constexpr char kRegistryScript[] = "\\CONF\\TMPFILE.TXT";

// <working directory>\CONF\TMPFILE.TXT, whole.
using RegistryScriptPath = ComposedText<WorkingDirectory, decltype(kRegistryScript)>;

// Starts the system registry editor, by its full path, on CONF\TMPFILE.TXT below the working directory,
// without waiting: "/s" and the script's path, in quotes when it holds white space. With the player's own
// rights when the script is missing or writes only below HKEY_CURRENT_USER; else with those it asks for.
void ImportRegistryScript(const WorkingDirectory &workingDirectory);

}  // namespace launcher

#endif
