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
  const std::size_t named = Length(launch.file);
  launch.judgement = JudgeGamePath(launch.file.bytes.data(), launch.file.bytes.size());
  // The part below the directory gets the extension the completion added, as the player is told the path.
  std::size_t below = Length(launch.fileBelowDirectory);
  for (std::size_t at = named; launch.file.bytes[at] != '\0'; ++at) {
    launch.fileBelowDirectory.bytes[below++] = launch.file.bytes[at];
  }
  return launch;
}

}  // namespace launcher
