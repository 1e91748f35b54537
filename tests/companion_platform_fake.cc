#include "tests/companion_platform_fake.h"

#include <cstring>

namespace {

FakeCompanionPlatform companionFake;

}  // namespace

FakeCompanionPlatform &CompanionFake() { return companionFake; }

extern "C" {

void CompanionReadPrimaryDisplayDeviceId(char field[kDeviceIdCapacity]) {
  Fake().calls.push_back("ReadPrimaryDisplayDeviceId");
  std::string id = companionFake.primaryDeviceId.substr(0, kDeviceIdCapacity - 1);
  std::memset(field, 0, kDeviceIdCapacity);
  std::memcpy(field, id.c_str(), id.size());
}

// Records the write and keeps the value where the launcher's double reads settings, so that a test can
// have the launcher read what the companion wrote.
void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value) {
  Fake().calls.push_back("WriteProfileString " + std::string(file) + "|" + section + "|" + key + "|" + value);
  SetSetting(file, section, key, value);
}

}  // extern "C"
