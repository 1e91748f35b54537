#include "game/game_launch.h"

#include <stdio.h>
#include <string.h>

#include "platform/platform.h"

void BuildGameLaunch(const char *workingDirectory, GameLaunch *launch) {
  char gameExec[kGameTextCapacity];
  char gameExecPath[kGameTextCapacity];
  memset(launch, 0, sizeof *launch);
  ReadSettingString(GAMEEXEC_SETTING, gameExec);
  ReadSettingString(GAMEEXECPATH_SETTING, gameExecPath);
  ReadSettingString(PARA_SETTING, launch->parameters);

  /* Plain joins: an empty part still gets its separator, and nothing is quoted. */
  snprintf(launch->directory, sizeof launch->directory, "%s\\%s", workingDirectory, gameExecPath);
  snprintf(launch->file, sizeof launch->file, "%s\\%s\\%s", workingDirectory, gameExecPath, gameExec);
}

void StartGame(const GameLaunch *launch) {
  PlatformStartProgram(launch->file, launch->parameters, launch->directory);
}
