#include "launcher/working_directory.h"

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {

WorkingDirectory ReadWorkingDirectory() {
  WorkingDirectory directory;
  const unsigned long length = PlatformGetCurrentDirectory(directory.bytes.data(), kWorkingDirectoryCapacity);
  if (length == 0 || length >= kWorkingDirectoryCapacity) Compose(directory, ".");
  return directory;
}

}  // namespace launcher
