#include "game/game_path.h"

#include <array>
#include <cstddef>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {
namespace {

// The system error codes the judgements map to, as winerror.h numbers them.
constexpr unsigned long kErrorFileNotFound = 2;            // ERROR_FILE_NOT_FOUND
constexpr unsigned long kErrorBadFormat = 11;              // ERROR_BAD_FORMAT
constexpr unsigned long kErrorDirectoryNotSupported = 336;  // ERROR_DIRECTORY_NOT_SUPPORTED

constexpr std::string_view kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};

// The last part of a path, after its last separator. (No substr: its range check would bring the
// library's exceptions into the programs.)
std::string_view LastPart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  if (separator != std::string_view::npos) path.remove_prefix(separator + 1);
  return path;
}

bool EndsWithExe(std::string_view name) {
  constexpr std::string_view kExe = ".exe";
  if (name.size() < kExe.size()) return false;
  name.remove_prefix(name.size() - kExe.size());
  return EqualCaseAside(name, kExe);
}

}  // namespace

bool NamesDevice(std::string_view path) {
  std::string_view name = LastPart(path);
  // Windows drops an extension from a device name, and the blanks and dots that end the name before it.
  const std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) name.remove_suffix(name.size() - dot);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  for (const std::string_view device : kDeviceNames) {
    if (EqualCaseAside(name, device)) return true;
  }
  if (name.size() != 4 || name[3] < '0' || name[3] > '9') return false;
  name.remove_suffix(1);
  for (const std::string_view device : kNumberedDevices) {
    if (EqualCaseAside(name, device)) return true;
  }
  return false;
}

GamePathJudgement JudgeGamePath(const char *path) {
  if (NamesDevice(path)) return GamePathJudgement::kDevice;
  if (PlatformIsFolder(path)) return GamePathJudgement::kFolder;
  if (!PlatformIsFile(path)) return GamePathJudgement::kMissing;
  if (!EndsWithExe(path)) return GamePathJudgement::kProgram;
  // A program image begins with "MZ"; a file that cannot be read is left to the start to judge.
  std::array<unsigned char, 2> head{};
  const long read = PlatformReadFilePart(path, 0, head.data(), head.size());
  if (read < 0) return GamePathJudgement::kProgram;
  return read == 2 && head[0] == 'M' && head[1] == 'Z' ? GamePathJudgement::kProgram : GamePathJudgement::kNotAProgram;
}

unsigned long StartFailureCode(GamePathJudgement judgement) {
  switch (judgement) {
    case GamePathJudgement::kProgram: return 0;
    case GamePathJudgement::kMissing: return kErrorFileNotFound;
    case GamePathJudgement::kFolder: return kErrorDirectoryNotSupported;
    case GamePathJudgement::kDevice:
    case GamePathJudgement::kNotAProgram: return kErrorBadFormat;
  }
  return 0;
}

}  // namespace launcher
