#include "tests/platform_fake.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tests/folder_answer.h"

namespace launcher {
namespace {

FakePlatform fake;

const std::string *FindSetting(const char *file, const char *section, const char *key) {
  auto found = fake.profile.find({file, section, key});
  return found == fake.profile.end() ? nullptr : &found->second;
}

std::string Join(std::initializer_list<std::string> parts) {
  std::string line;
  for (const std::string &part : parts) line += (line.empty() ? "" : "|") + part;
  return line;
}

}  // namespace

FakePlatform &Fake() { return fake; }

void SetSetting(const std::string &file, const std::string &section, const std::string &key,
                const std::string &value) {
  fake.profile[{file, section, key}] = value;
}

std::vector<std::string> CallsStartingWith(const std::string &prefix) {
  std::vector<std::string> matching;
  for (const std::string &call : fake.calls) {
    if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
  }
  return matching;
}

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  fake.calls.push_back("GetCurrentDirectory " + std::to_string(capacity));
  if (fake.currentDirectoryUnreadable) return 0;
  return CopyFolder(fake.currentDirectory, field, capacity);
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  fake.calls.push_back("GetSystemDirectory " + std::to_string(capacity));
  return CopyFolder(fake.systemDirectory, field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  fake.calls.push_back("GetWindowsDirectory " + std::to_string(capacity));
  return CopyFolder(fake.windowsDirectory, field, capacity);
}

bool PlatformIsFile(const char *path) {
  fake.calls.push_back("IsFile " + std::string(path));
  return fake.files.count(path) != 0;
}

bool PlatformIsFolder(const char *path) {
  fake.calls.push_back("IsFolder " + std::string(path));
  return fake.folders.count(path) != 0;
}

// Not recorded: the reads of one file are many, and a test looks at what the run made of them.
long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  if (fake.unreadable.count(path) != 0) return kFileUnreadable;
  const auto found = fake.contents.find(path);
  if (found == fake.contents.end()) return kFileMissing;
  return CopyFilePart(found->second, offset, buffer, capacity);
}

bool PlatformClaimCurrentDirectory() {
  fake.calls.push_back("ClaimCurrentDirectory");
  return !fake.directoryHeld;
}

void PlatformReleaseCurrentDirectory() { fake.calls.push_back("ReleaseCurrentDirectory"); }

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  fake.calls.push_back("GetShortCurrentDirectory " + std::to_string(capacity));
  const std::string &directory = fake.shortCurrentDirectory;
  if (directory.empty() || fake.shortCurrentDirectoryUnspelled || directory.size() + 1 > capacity) return false;
  std::memcpy(field, directory.c_str(), directory.size() + 1);
  return true;
}

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  fake.calls.push_back("ReadProfileInt " + Join({file, section, key, std::to_string(fallback)}));
  const std::string *value = FindSetting(file, section, key);
  return value ? static_cast<int>(std::strtoll(value->c_str(), nullptr, 10)) : fallback;
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  fake.calls.push_back("ReadProfileString " + Join({file, section, key, std::to_string(capacity)}));
  const std::string *value = FindSetting(file, section, key);
  std::string text = value ? value->substr(0, capacity - 1) : "";
  std::memcpy(field, text.c_str(), text.size() + 1);
}

void PlatformPause(unsigned long milliseconds) { fake.calls.push_back("Pause " + std::to_string(milliseconds)); }

void PlatformReadScreenSize(int &width, int &height) {
  fake.calls.push_back("ReadScreenSize");
  width = fake.screenWidth;
  height = fake.screenHeight;
}

RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey) {
  std::string key = (root == RegistryRoot::kLocalMachine ? "HKLM\\" : "HKCU\\") + std::string(subkey);
  fake.calls.push_back("CreateRegistryKey " + key);
  fake.openKeys.push_back(key);
  return &fake.openKeys.back();
}

void PlatformSetRegistryValue(RegistryKey key, const char *name, RegistryValueType valueType,
                              const unsigned char *data, unsigned long length) {
  const auto type = static_cast<unsigned long>(valueType);
  const std::string &keyName = *static_cast<std::string *>(key);
  fake.calls.push_back("SetRegistryValue " + Join({keyName, name, std::to_string(type), std::to_string(length)}));
  fake.registryWrites.push_back({keyName, name, type, std::vector<unsigned char>(data, data + length)});
}

unsigned long PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  fake.calls.push_back("StartProgram " + Join({file, parameters, directory}));
  return fake.startError;
}

void PlatformShowStartFailure(const char *fileBelowDirectory, unsigned long error) {
  fake.calls.push_back("ShowStartFailure " + Join({fileBelowDirectory, std::to_string(error)}));
}

void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory,
                                 EditorRights rights) {
  fake.calls.push_back("StartRegistryEditor " +
                       Join({file, parameters, directory, rights == EditorRights::kInvoker ? "invoker" : "asking"}));
}

LocalDate PlatformReadLocalDate() {
  fake.calls.push_back("ReadLocalDate");
  return fake.date;
}

// Not recorded: a length is looked up beside the path's other reads. ".\" resolves against the current
// directory.
unsigned long PlatformFullPathLength(const char *path) {
  const auto found = fake.fullPathLengths.find(path);
  if (found != fake.fullPathLengths.end()) return found->second;
  const std::string text = path;
  if (text.rfind(".\\", 0) == 0) return fake.currentDirectory.size() + text.size() - 1;
  return text.size();
}

void PlatformDeleteFile(const char *path) { fake.calls.push_back("DeleteFile " + std::string(path)); }

void PlatformShowMessage(const char *text) {
  fake.calls.push_back("ShowMessage");
  fake.messages.push_back(text);
}

}  // namespace launcher
