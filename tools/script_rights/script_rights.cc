// The launcher's own judgement of registry scripts, on the host: for each file named, one line, "invoker"
// when the launcher would start the registry editor with the player's own rights, "asked" when it keeps
// the rights the editor asks for. The reading is the launcher's (launcher_core); only the file reads are
// this tool's. scripts/fuzz-editor compares it with what Wine's editor does.
//   script_rights <script file>...
#include <cerrno>
#include <cstddef>
#include <cstdio>

#include "launcher/script_reading.h"
#include "platform/platform.h"

namespace launcher {

long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  std::FILE *file = std::fopen(path, "rb");
  if (file == nullptr) return errno == ENOENT ? kFileMissing : kFileUnreadable;
  constexpr unsigned long long kFarthest = 0x7FFFFFFF;  // what fseek takes everywhere
  long read = kFileUnreadable;
  if (offset <= kFarthest && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0) {
    const std::size_t count = std::fread(buffer, 1, capacity, file);
    if (std::ferror(file) == 0) read = static_cast<long>(count);
  }
  std::fclose(file);
  return read;
}

}  // namespace launcher

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fputs("usage: script_rights <script file>...\n", stderr);
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    const bool asked = launcher::NeedsAdministratorRights(launcher::ReadRegistryScript(argv[i]));
    std::puts(asked ? "asked" : "invoker");
  }
  return 0;
}
