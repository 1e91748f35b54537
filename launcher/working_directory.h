// The working directory: the base of every path the launcher composes.
#ifndef LAUNCHER_WORKING_DIRECTORY_H
#define LAUNCHER_WORKING_DIRECTORY_H

#include "platform/platform.h"

namespace launcher {

// The current directory as the ANSI code page spells it. When the code page cannot spell its name, its
// short form, when the code page spells that. Otherwise, and when it cannot be read or does not fit, "."
// so that composed paths stay relative to the current directory instead of starting at the drive root.
WorkingDirectory ReadWorkingDirectory();

}  // namespace launcher

#endif
