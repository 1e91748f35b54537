#include "tests/fuzz/fuzz_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace launcher {
namespace {

FuzzWorld world;

[[noreturn]] void Misuse(const char *what) {
  std::fprintf(stderr, "platform misuse: %s\n", what);
  std::abort();
}

std::string Escape(const std::string &text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

const char *OpName(Op op) {
  switch (op) {
    case Op::kGetCurrentDirectory: return "GetCurrentDirectory";
    case Op::kGetShortCurrentDirectory: return "GetShortCurrentDirectory";
    case Op::kGetSystemDirectory: return "GetSystemDirectory";
    case Op::kGetWindowsDirectory: return "GetWindowsDirectory";
    case Op::kIsFile: return "IsFile";
    case Op::kReadProfileInt: return "ReadProfileInt";
    case Op::kReadProfileString: return "ReadProfileString";
    case Op::kPause: return "Pause";
    case Op::kReadScreenSize: return "ReadScreenSize";
    case Op::kCreateRegistryKey: return "CreateRegistryKey";
    case Op::kSetRegistryValue: return "SetRegistryValue";
    case Op::kStartProgram: return "StartProgram";
    case Op::kStartRegistryEditor: return "StartRegistryEditor";
    case Op::kReadLocalDate: return "ReadLocalDate";
    case Op::kDeleteFile: return "DeleteFile";
    case Op::kShowMessage: return "ShowMessage";
    case Op::kClaimCurrentDirectory: return "ClaimCurrentDirectory";
    case Op::kIsFolder: return "IsFolder";
    case Op::kReadFilePart: return "ReadFilePart";
    case Op::kShowStartFailure: return "ShowStartFailure";
    case Op::kReleaseCurrentDirectory: return "ReleaseCurrentDirectory";
  }
  return "?";
}

// Texts the run hands over must be zero-terminated; reading them stops at the zero (AddressSanitizer
// reports a read past the field when there is none).
std::string Given(const char *text) {
  if (text == nullptr) Misuse("null text");
  return std::string(text);
}

Call Record(Op op, std::vector<std::string> text = {}, long long number = 0) {
  Call call{op, std::move(text), number, {}};
  world.calls.push_back(call);
  return call;
}

}  // namespace

FuzzWorld &World() { return world; }

std::string Describe(const Call &call) {
  std::string line = OpName(call.op);
  for (const std::string &text : call.text) line += " \"" + Escape(text) + "\"";
  line += " #" + std::to_string(call.number);
  if (!call.data.empty()) line += " [" + Escape(std::string(call.data.begin(), call.data.end())) + "]";
  return line;
}

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  Record(Op::kGetCurrentDirectory, {}, static_cast<long long>(capacity));
  if (world.directoryUnreadable) return 0;
  const std::string &directory = world.directory;
  if (directory.size() + 1 > capacity) {
    // The field's content is not promised in this case: leave it full of junk, unterminated.
    std::memset(field, 'X', capacity);
    return directory.size() + 1;
  }
  std::memcpy(field, directory.c_str(), directory.size() + 1);
  return directory.size();
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  Record(Op::kGetShortCurrentDirectory, {}, static_cast<long long>(capacity));
  const std::string &directory = world.shortDirectory;
  if (!world.hasShortDirectory || directory.size() + 1 > capacity) {
    std::memset(field, 'X', capacity);  // not promised either
    return false;
  }
  std::memcpy(field, directory.c_str(), directory.size() + 1);
  return true;
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  Record(Op::kGetSystemDirectory, {}, static_cast<long long>(capacity));
  std::memcpy(field, kSystemDirectory, sizeof kSystemDirectory);
  return sizeof kSystemDirectory - 1;
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  Record(Op::kGetWindowsDirectory, {}, static_cast<long long>(capacity));
  std::memcpy(field, kWindowsDirectory, sizeof kWindowsDirectory);
  return sizeof kWindowsDirectory - 1;
}

bool PlatformIsFile(const char *path) {
  Record(Op::kIsFile, {Given(path)});
  return (world.systemDirectoryHoldsEditor && Given(path) == std::string(kSystemDirectory) + "\\REGEDIT.EXE") ||
         (world.gameIsFile && Given(path) == world.gamePath);
}

// GetPrivateProfileIntA: the value when the key exists in an existing file, else the default.
int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  Record(Op::kReadProfileInt, {Given(file), Given(section), Given(key)}, fallback);
  auto found = world.integers.find({file, section, key});
  return found == world.integers.end() ? fallback : found->second;
}

// GetPrivateProfileStringA with "" as default: the value's first capacity - 1 bytes and a zero, or the
// empty text when the file, section or key is absent.
void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  Record(Op::kReadProfileString, {Given(file), Given(section), Given(key)}, static_cast<long long>(capacity));
  if (capacity == 0) Misuse("profile string read into a field of no bytes");
  auto found = world.texts.find({file, section, key});
  const std::string value = found == world.texts.end() ? std::string() : found->second;
  const size_t length = value.size() < capacity - 1 ? value.size() : capacity - 1;
  std::memcpy(field, value.data(), length);
  field[length] = '\0';
}

void PlatformPause(unsigned long milliseconds) { Record(Op::kPause, {}, static_cast<long long>(milliseconds)); }

void PlatformReadScreenSize(int &width, int &height) {
  Record(Op::kReadScreenSize);
  width = world.screenWidth;
  height = world.screenHeight;
}

RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey) {
  if (root != RegistryRoot::kLocalMachine && root != RegistryRoot::kCurrentUser) Misuse("unknown registry root");
  world.openKeys.push_back(
      Record(Op::kCreateRegistryKey, {root == RegistryRoot::kLocalMachine ? "HKLM" : "HKCU", Given(subkey)}));
  return &world.openKeys.back();
}

void PlatformSetRegistryValue(RegistryKey key, const char *name, RegistryValueType type,
                              const unsigned char *data, unsigned long length) {
  const Call *opened = nullptr;
  for (const Call &candidate : world.openKeys) {
    if (&candidate == key) opened = &candidate;
  }
  if (opened == nullptr) Misuse("registry value set on a key that was never opened");
  if (data == nullptr && length != 0) Misuse("registry data missing");
  Call call{Op::kSetRegistryValue, {opened->text[0], opened->text[1], Given(name)}, static_cast<long long>(type),
            std::vector<unsigned char>(data, data + length)};
  world.calls.push_back(call);
}

unsigned long PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  Record(Op::kStartProgram, {Given(file), Given(parameters), Given(directory)});
  return world.startError;
}

void PlatformShowStartFailure(const char *fileBelowDirectory, unsigned long error) {
  Record(Op::kShowStartFailure, {Given(fileBelowDirectory)}, static_cast<long long>(error));
}

void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory,
                                 EditorRights rights) {
  Record(Op::kStartRegistryEditor,
         {Given(file), Given(parameters), Given(directory), rights == EditorRights::kInvoker ? "invoker" : "asking"});
}

bool PlatformClaimCurrentDirectory() {
  Record(Op::kClaimCurrentDirectory);
  return !world.directoryHeld;
}

void PlatformReleaseCurrentDirectory() { Record(Op::kReleaseCurrentDirectory); }

// Only the game's path is asked about.
bool PlatformIsFolder(const char *path) {
  Record(Op::kIsFolder, {Given(path)});
  return world.gameIsFolder;
}

long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  Record(Op::kReadFilePart, {Given(path)}, static_cast<long long>(offset));
  if (buffer == nullptr || capacity == 0) Misuse("a file read into no buffer");
  const bool script = Given(path) == world.scriptPath && world.scriptExists;
  const bool game = !script && Given(path) == world.gamePath && world.gameIsFile;
  if (!script && !game) return kFileMissing;
  if (script ? world.scriptUnreadable : world.gameUnreadable) return kFileUnreadable;
  const std::string &content = script ? world.script : world.gameHead;
  if (offset >= content.size()) return 0;
  const size_t count = std::min<size_t>(capacity, content.size() - offset);
  std::memcpy(buffer, content.data() + offset, count);
  return static_cast<long>(count);
}

// Not recorded: only a length, read beside the path's other reads.
unsigned long PlatformFullPathLength(const char *path) {
  return world.gamePathTooLong && Given(path) == world.namedGamePath ? 300 : std::strlen(path);
}

LocalDate PlatformReadLocalDate() {
  Record(Op::kReadLocalDate);
  return world.date;
}

void PlatformDeleteFile(const char *path) { Record(Op::kDeleteFile, {Given(path)}); }

void PlatformShowMessage(const char *text) { Record(Op::kShowMessage, {Given(text)}); }

}  // namespace launcher
