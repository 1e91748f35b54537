#include "game/game_launch.h"

#include "platform/platform.h"

namespace launcher {

GameLaunch BuildGameLaunch(const WorkingDirectory &workingDirectory) {
  GameLaunch launch;
  const GameText gameExec = ReadSettingString(kGameExec);
  const GameText gameExecPath = ReadSettingString(kGameExecPath);
  launch.parameters = ReadSettingString(kPara);

  // Plain joins: an empty part still gets its separator, and nothing is quoted.
  Compose(launch.directory, workingDirectory, kPathSeparator, gameExecPath);
  Compose(launch.file, workingDirectory, kPathSeparator, gameExecPath, kPathSeparator, gameExec);
  return launch;
}

void StartGame(const GameLaunch &launch) {
  // A path that names a folder (no GameExec, say) would open a file manager on it: no game, no start.
  if (PlatformIsFolder(CString(launch.file))) return;
  PlatformStartProgram(CString(launch.file), CString(launch.parameters), CString(launch.directory));
}

}  // namespace launcher
