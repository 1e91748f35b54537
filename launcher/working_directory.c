#include "launcher/working_directory.h"

#include <string.h>

#include "platform/platform.h"

void ReadWorkingDirectory(char field[kWorkingDirectoryCapacity]) {
  memset(field, 0, kWorkingDirectoryCapacity);
  unsigned long length = PlatformGetCurrentDirectory(field, kWorkingDirectoryCapacity);
  if (length == 0 || length >= kWorkingDirectoryCapacity) {
    memset(field, 0, kWorkingDirectoryCapacity);
    field[0] = '.';
  }
}
