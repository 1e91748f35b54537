#ifndef LAUNCHER_LAUNCHER_H
#define LAUNCHER_LAUNCHER_H

namespace launcher {

// One whole run of the launcher, from the registry import to the game start. Always returns 0.
int RunLauncher();

}  // namespace launcher

#endif
