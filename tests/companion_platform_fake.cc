#include "tests/companion_platform_fake.h"

namespace launcher {
namespace {

FakeCompanionPlatform companionFake;

}  // namespace

FakeCompanionPlatform &CompanionFake() { return companionFake; }

DeviceId CompanionReadPrimaryDisplayDeviceId() {
  Fake().calls.push_back("ReadPrimaryDisplayDeviceId");
  return TextOf<kDeviceIdCapacity>(companionFake.primaryDeviceId.substr(0, kDeviceIdCapacity - 1));
}

// Records the write and keeps the value where the launcher's double reads settings, so that a test can
// have the launcher read what the companion wrote.
void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value) {
  Fake().calls.push_back("WriteProfileString " + std::string(file) + "|" + section + "|" + key + "|" + value);
  SetSetting(file, section, key, value);
}

// Records the starts only: the double starts nothing.
unsigned long CompanionStartLauncher() {
  Fake().calls.push_back("StartLauncher");
  return companionFake.startLauncherError;
}

bool CompanionRunsElevated() {
  Fake().calls.push_back("RunsElevated");
  return companionFake.runsElevated;
}

unsigned long CompanionRestartElevated() {
  Fake().calls.push_back("RestartElevated");
  return companionFake.restartError;
}

void CompanionShowStartFailure(unsigned long error) {
  Fake().calls.push_back("ShowStartFailure " + std::to_string(error));
}

}  // namespace launcher
