#include "launcher/launcher.h"

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

  return 0;
}
