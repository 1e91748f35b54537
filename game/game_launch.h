/* The game's start: its file, parameters and directory, composed from the working directory and the
 * game section of the settings. */
#ifndef LAUNCHER_GAME_GAME_LAUNCH_H
#define LAUNCHER_GAME_GAME_LAUNCH_H

#include "launcher/working_directory.h"
#include "settings/settings.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Every path holds its parts in full: each part at its longest, one "\" between parts, the zero. */
enum {
  kGameDirectoryCapacity = (kWorkingDirectoryCapacity - 1) + 1 + (kGameTextCapacity - 1) + 1,
  kGameFileCapacity = (kWorkingDirectoryCapacity - 1) + 1 + (kGameTextCapacity - 1) + 1 + (kGameTextCapacity - 1) + 1,
  kGameParametersCapacity = kGameTextCapacity,
};

typedef struct GameLaunch {
  char file[kGameFileCapacity];             /* working directory\GameExecPath\GameExec */
  char parameters[kGameParametersCapacity]; /* Para, until the graphics mode settles it */
  char directory[kGameDirectoryCapacity];   /* working directory\GameExecPath */
} GameLaunch;

void BuildGameLaunch(const char *workingDirectory, GameLaunch *launch);

/* Starts the game and returns without waiting for it. */
void StartGame(const GameLaunch *launch);

#ifdef __cplusplus
}
#endif

#endif
