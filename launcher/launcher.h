#ifndef LAUNCHER_LAUNCHER_H
#define LAUNCHER_LAUNCHER_H

#ifdef __cplusplus
extern "C" {
#endif

/* One whole run of the launcher, from the registry import to the game start. Always returns 0. */
int RunLauncher(void);

#ifdef __cplusplus
}
#endif

#endif
