#include "game/game_launch.h"

#include "game/game_path.h"
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
  return launch;
}

void StartGame(const GameLaunch &launch) {
  // A folder would open in a file manager, a device name would open the device: neither is started.
  const GamePathJudgement judgement = JudgeGamePath(CString(launch.file));
  const unsigned long error = judgement == GamePathJudgement::kProgram
                                  ? PlatformStartProgram(CString(launch.file), CString(launch.parameters),
                                                         CString(launch.directory))
                                  : StartFailureCode(judgement);
  if (error == 0) return;
  // The player may mend the folder and click again while the message is up: the folder is let go first.
  PlatformReleaseCurrentDirectory();
  PlatformShowStartFailure(CString(launch.fileBelowDirectory), error);
}

}  // namespace launcher
