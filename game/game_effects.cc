// The game's start and the detection file's removal, as the run decided them.
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "platform/platform.h"

namespace launcher {

unsigned long StartGame(const GameLaunch &launch) {
  const unsigned long refused = StartFailureCode(launch.judgement);
  if (refused != 0) return refused;
  return PlatformStartProgram(CString(launch.file), CString(launch.parameters), CString(launch.directory));
}

void RemoveDetectionFile(const DetectionFilePath &detectionFile) {
  if (!IsEmpty(detectionFile)) PlatformDeleteFile(CString(detectionFile));
}

}  // namespace launcher
