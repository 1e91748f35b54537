#include "game/game_path.h"

#include <array>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {
namespace {

// The system error codes the judgements map to, as winerror.h numbers them and Windows reports them.
constexpr unsigned long kErrorFileNotFound = 2;             // ERROR_FILE_NOT_FOUND
constexpr unsigned long kErrorBadFormat = 11;               // ERROR_BAD_FORMAT
constexpr unsigned long kErrorBadExeFormat = 193;           // ERROR_BAD_EXE_FORMAT: no Win32 program
constexpr unsigned long kErrorFilenameExcedRange = 206;     // ERROR_FILENAME_EXCED_RANGE
constexpr unsigned long kErrorExeMachineTypeMismatch = 216;  // ERROR_EXE_MACHINE_TYPE_MISMATCH
constexpr unsigned long kErrorDirectoryNotSupported = 336;  // ERROR_DIRECTORY_NOT_SUPPORTED

// MAX_PATH, 260 UTF-16 units with the zero: the longest path Windows opens without long-path support.
constexpr unsigned long kLongestPath = 259;

constexpr std::string_view kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};

// The extensions of what the shell starts as a program, in the order it tries them on a name without one.
// .com and .exe name program images, which the loader judges.
constexpr std::string_view kProgramExtensions[] = {".pif", ".com", ".exe", ".bat", ".lnk", ".cmd"};
constexpr std::size_t kCom = 1;
constexpr std::size_t kExe = 2;

// The PE format: the MS-DOS header of 64 bytes, whose last 4 hold the offset of the signature "PE\0\0";
// after it the file header, whose Characteristics (bytes 18 and 19 of it) mark a DLL.
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kSignatureOffsetAt = 0x3C;
constexpr std::size_t kSignatureAndFileHeaderSize = 24;
constexpr unsigned kImageFileDll = 0x2000;  // IMAGE_FILE_DLL

// The last part of a path, after its last separator. (No substr: its range check would bring the
// library's exceptions into the programs.)
std::string_view LastPart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  if (separator != std::string_view::npos) path.remove_prefix(separator + 1);
  return path;
}

// The name's extension as the shell finds it: from the last "." of the last part, unless a blank follows
// (an extension holds none); empty when there is none.
std::string_view ExtensionOf(std::string_view path) {
  std::string_view name = LastPart(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return {};
  name.remove_prefix(dot);
  return name.find(' ') == std::string_view::npos ? name : std::string_view{};
}

// Its place in kProgramExtensions, or none there: what the shell starts as a program.
std::size_t ProgramExtensionIndex(std::string_view extension) {
  std::size_t index = 0;
  while (index < std::size(kProgramExtensions) && !EqualCaseAside(extension, kProgramExtensions[index])) ++index;
  return index;
}

// The first of the shell's extensions that, after the path, names a file: the path keeps it. False, with
// the path as it was, when none does.
bool Complete(char *path, std::size_t length) {
  for (const std::string_view extension : kProgramExtensions) {
    for (std::size_t i = 0; i < extension.size(); ++i) path[length + i] = extension[i];
    path[length + extension.size()] = '\0';
    if (PlatformIsFile(path)) return true;
  }
  path[length] = '\0';
  return false;
}

unsigned Bytes(const unsigned char *at, std::size_t count) {
  unsigned value = 0;
  while (count-- > 0) value = value << 8 | at[count];
  return value;
}

// A .exe or .com as the loader takes it. A file that cannot be read is left to the start.
GamePathJudgement JudgeImage(const char *path, bool com) {
  std::array<unsigned char, kDosHeaderSize> dosHeader{};
  const long dosRead = PlatformReadFilePart(path, 0, dosHeader.data(), dosHeader.size());
  if (dosRead < 0) return GamePathJudgement::kProgram;
  if (dosRead < 2 || Bytes(dosHeader.data(), 2) != ('Z' << 8 | 'M')) {
    // An MS-DOS .com is its code, with no header at all.
    return com ? GamePathJudgement::kSixteenBit : GamePathJudgement::kNotAProgram;
  }
  if (dosRead < static_cast<long>(kDosHeaderSize)) return GamePathJudgement::kNotAProgram;
  std::array<unsigned char, kSignatureAndFileHeaderSize> header{};
  const long read =
      PlatformReadFilePart(path, Bytes(&dosHeader[kSignatureOffsetAt], 4), header.data(), header.size());
  if (read < 0) return GamePathJudgement::kProgram;
  const unsigned signature = Bytes(header.data(), 2);
  if (read >= 2 && (signature == ('E' << 8 | 'N') || signature == ('E' << 8 | 'L'))) {
    return GamePathJudgement::kSixteenBit;
  }
  if (read < static_cast<long>(header.size()) || Bytes(header.data(), 4) != ('E' << 8 | 'P')) {
    return GamePathJudgement::kNotAProgram;
  }
  return (Bytes(&header[4 + 18], 2) & kImageFileDll) != 0 ? GamePathJudgement::kLibrary : GamePathJudgement::kProgram;
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

GamePathJudgement JudgeGamePath(char *path, std::size_t capacity) {
  if (NamesDevice(path)) return GamePathJudgement::kDevice;
  const unsigned long fullLength = PlatformFullPathLength(path);
  if (fullLength > kLongestPath) return GamePathJudgement::kTooLong;
  const std::size_t length = std::string_view(path).size();
  std::string_view extension = ExtensionOf(path);
  // The shell's extensions come first, as Wine's shell starts "game.exe" where a file or folder "game" is
  // there too; a completion longer than Windows opens names no file there.
  const bool completes = extension.empty();
  const bool roomToComplete = fullLength + kLongestCompletion <= kLongestPath && length + kLongestCompletion < capacity;
  if (completes && roomToComplete && Complete(path, length)) {
    extension = ExtensionOf(path);
  } else {
    if (PlatformIsFolder(path)) return GamePathJudgement::kFolder;
    if (!PlatformIsFile(path)) {
      return completes && !roomToComplete ? GamePathJudgement::kTooLong : GamePathJudgement::kMissing;
    }
  }
  const std::size_t kind = ProgramExtensionIndex(extension);
  if (kind == std::size(kProgramExtensions)) return GamePathJudgement::kDocument;
  return kind == kCom || kind == kExe ? JudgeImage(path, kind == kCom) : GamePathJudgement::kProgram;
}

unsigned long StartFailureCode(GamePathJudgement judgement) {
  switch (judgement) {
    case GamePathJudgement::kProgram:
    case GamePathJudgement::kDocument: return 0;
    case GamePathJudgement::kMissing: return kErrorFileNotFound;
    case GamePathJudgement::kFolder: return kErrorDirectoryNotSupported;
    case GamePathJudgement::kDevice: return kErrorBadFormat;
    case GamePathJudgement::kNotAProgram:
    case GamePathJudgement::kLibrary: return kErrorBadExeFormat;
    case GamePathJudgement::kSixteenBit: return kErrorExeMachineTypeMismatch;
    case GamePathJudgement::kTooLong: return kErrorFilenameExcedRange;
  }
  return 0;
}

}  // namespace launcher
