#include "launcher/launcher.h"

#include "display/registry_record.h"
#include "display/resolution.h"
#include "game/game_launch.h"
#include "game/graphics_mode.h"
#include "launcher/registry_script.h"
#include "launcher/working_directory.h"
#include "platform/platform.h"

namespace launcher {

int RunLauncher() {
  // One click, one game: a second launcher in the same folder while the first runs does nothing at all.
  if (!PlatformClaimCurrentDirectory()) return 0;
  const WorkingDirectory workingDirectory = ReadWorkingDirectory();

  StartScriptImport(PlanScriptImport(workingDirectory));
  PlatformPause(kSettlePause);

  const Resolution resolution = ChooseResolution().resolution;
  RegistryTarget target{};
  if (!ReadRegistryTarget(target)) {
    // A player who mends the settings while the report is up gets the game at the next click.
    PlatformReleaseCurrentDirectory();
    ShowConfigurationReport(target);
    return 0;
  }
  WriteResolutionRecord(target, resolution);
  PlatformPause(kSettlePause);

  GameLaunch launch = BuildGameLaunch(workingDirectory);
  const DetectionFilePath detectionFile = ChooseGameParameters(workingDirectory, launch.parameters).detectionFile;
  const unsigned long startError = StartGame(launch);
  RemoveDetectionFile(detectionFile);
  if (startError != 0) {
    // The player may mend the folder and click again while the message is up: this run's detection file is
    // gone and the folder let go first, so that the next run's own file of the day is not deleted under it.
    PlatformReleaseCurrentDirectory();
    PlatformShowStartFailure(CString(launch.fileBelowDirectory), startError);
  }

  return 0;
}

}  // namespace launcher
