#ifndef LAUNCHER_LAUNCHER_H
#define LAUNCHER_LAUNCHER_H

namespace launcher {

// The registry editor and the game run on their own; the run's two pauses, of this many milliseconds, are
// its only wait for them.
inline constexpr unsigned long kSettlePause = 1000;

// One whole run of the launcher, from the registry import to the game start. Always returns 0.
int RunLauncher();

}  // namespace launcher

#endif
