#include "launcher/registry_script.h"

#include <stdio.h>
#include <string.h>

#include "launcher/working_directory.h"
#include "platform/platform.h"

#define REGISTRY_SCRIPT "\\CONF\\TMPFILE.TXT"

/* "/s ", the directory, the script's relative path, two quotes and the terminating zero. */
enum { kImportParametersCapacity = 3 + (kWorkingDirectoryCapacity - 1) + sizeof REGISTRY_SCRIPT + 2 };

void ImportRegistryScript(const char *workingDirectory) {
  char parameters[kImportParametersCapacity];
  memset(parameters, 0, sizeof parameters);
  /* regedit splits its command line at white space, so such a path must be quoted to stay whole. */
  if (strpbrk(workingDirectory, " \t") != NULL) {
    snprintf(parameters, sizeof parameters, "/s \"%s" REGISTRY_SCRIPT "\"", workingDirectory);
  } else {
    snprintf(parameters, sizeof parameters, "/s %s" REGISTRY_SCRIPT, workingDirectory);
  }
  PlatformStartProgram("REGEDIT.EXE", parameters, workingDirectory);
}
