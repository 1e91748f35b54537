#include "launcher/launcher.h"

#include "display/registry_record.h"
#include "display/resolution.h"
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "launcher/registry_script.h"
#include "launcher/working_directory.h"
#include "platform/platform.h"

/* The registry editor and the game run on their own; these pauses are the only wait for them. */
enum { kSettlePause = 1000 };

int RunLauncher(void) {
  char workingDirectory[kWorkingDirectoryCapacity];
  ReadWorkingDirectory(workingDirectory);

  ImportRegistryScript(workingDirectory);
  PlatformPause(kSettlePause);

  Resolution resolution = ChooseResolution();
  RegistryTarget target;
  if (!ReadRegistryTarget(&target)) {
    ShowConfigurationReport(&target);
    return 0;
  }
  WriteResolutionRecord(&target, resolution);
  PlatformPause(kSettlePause);

  GameLaunch launch;
  char detectionFile[kDetectionFileCapacity];
  BuildGameLaunch(workingDirectory, &launch);
  ChooseGameParameters(workingDirectory, launch.parameters, detectionFile);
  StartGame(&launch);
  RemoveDetectionFile(detectionFile);

  return 0;
}
