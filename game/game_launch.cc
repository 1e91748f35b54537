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
  Compose(launch.fileBelowDirectory, gameExecPath, kPathSeparator, gameExec);
  // A folder would open in a file manager, a device name would open the device: neither is started.
  launch.judgement = JudgeGamePath(CString(launch.file));
  return launch;
}

}  // namespace launcher
