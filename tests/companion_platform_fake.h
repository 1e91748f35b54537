// A recording double of the companion's own platform operations. It records into the same call list as
// the launcher's double (Fake().calls), so a test sees every outward effect of a run in order.
#ifndef LAUNCHER_TESTS_COMPANION_PLATFORM_FAKE_H
#define LAUNCHER_TESTS_COMPANION_PLATFORM_FAKE_H

#include <string>

#include "companion/companion_platform.h"
#include "tests/platform_fake.h"

namespace launcher {

struct FakeCompanionPlatform {
  // The primary adapter's DeviceID; empty when no adapter is flagged primary.
  std::string primaryDeviceId = "PCI\\VEN_10DE&DEV_1C82&SUBSYS_00000000&REV_A1";
  // What CreateProcessW answers for the launcher: 0 when it started, else a system error code.
  unsigned long startLauncherError = 0;
  // Whether the companion runs elevated.
  bool runsElevated = false;
  // What ShellExecuteExW answers for the companion's elevated start: 0 when it started, else a system
  // error code.
  unsigned long restartError = 0;
};

FakeCompanionPlatform &CompanionFake();

class CompanionPlatformTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    CompanionFake() = FakeCompanionPlatform();
  }
};

}  // namespace launcher

#endif
