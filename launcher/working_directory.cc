#include "launcher/working_directory.h"

#include <string_view>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {
namespace {

WorkingDirectory CurrentDirectoryItself() {
  WorkingDirectory directory;
  Compose(directory, ".");
  return directory;
}

}  // namespace

WorkingDirectory ReadWorkingDirectory(DirectorySpelling &spelling) {
  WorkingDirectory directory;
  const unsigned long length = PlatformGetCurrentDirectory(directory.bytes.data(), kWorkingDirectoryCapacity);
  spelling = length == 0 ? DirectorySpelling::kUnreadable : DirectorySpelling::kTooLong;
  if (length == 0 || length >= kWorkingDirectoryCapacity) return CurrentDirectoryItself();
  // No file name holds a "?": the ANSI text has one where the code page has no character for the name's,
  // and a path built on it leads nowhere. The directory's short form stands in for it then, when the code
  // page spells that one exactly.
  spelling = DirectorySpelling::kAsItIs;
  if (View(directory).find('?') == std::string_view::npos) return directory;
  directory = WorkingDirectory{};
  spelling = DirectorySpelling::kShortForm;
  if (PlatformGetShortCurrentDirectory(directory.bytes.data(), kWorkingDirectoryCapacity)) return directory;
  spelling = DirectorySpelling::kUnspelled;
  return CurrentDirectoryItself();
}

}  // namespace launcher
