#include "companion/companion_platform.h"

#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/win32_reads.h"

namespace launcher {

// The launcher's platform operations that the companion shares.

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return GetCurrentDirectoryA(capacity, field);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

// Its own.

static_assert(sizeof DISPLAY_DEVICEA::DeviceID == kDeviceIdCapacity, "the field holds a DeviceID");

DeviceId CompanionReadPrimaryDisplayDeviceId() {
  DeviceId id;
  DISPLAY_DEVICEA device;
  for (DWORD index = 0;; ++index) {
    std::memset(&device, 0, sizeof device);
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(nullptr, index, &device, 0)) return id;
    if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
      std::memcpy(id.bytes.data(), device.DeviceID, kDeviceIdCapacity - 1);
      return id;
    }
  }
}

void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value) {
  WritePrivateProfileStringA(section, key, value, file);
}

}  // namespace launcher
