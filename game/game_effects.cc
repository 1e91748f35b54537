// The game's start and the detection file's removal, as the run decided them.
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "platform/platform.h"

namespace launcher {

void StartGame(const GameLaunch &launch) {
  const unsigned long error = launch.judgement == GamePathJudgement::kProgram
                                  ? PlatformStartProgram(CString(launch.file), CString(launch.parameters),
                                                         CString(launch.directory))
                                  : StartFailureCode(launch.judgement);
  if (error == 0) return;
  // The player may mend the folder and click again while the message is up: the folder is let go first.
  PlatformReleaseCurrentDirectory();
  PlatformShowStartFailure(CString(launch.fileBelowDirectory), error);
}

void RemoveDetectionFile(const DetectionFilePath &detectionFile) {
  if (!IsEmpty(detectionFile)) PlatformDeleteFile(CString(detectionFile));
}

}  // namespace launcher
