#include "companion/companion_platform.h"

#include <windows.h>

#include <string.h>

_Static_assert(sizeof((DISPLAY_DEVICEA *)0)->DeviceID == kDeviceIdCapacity, "the field holds a DeviceID");

void CompanionReadPrimaryDisplayDeviceId(char field[kDeviceIdCapacity]) {
  memset(field, 0, kDeviceIdCapacity);
  DISPLAY_DEVICEA device;
  for (DWORD index = 0;; ++index) {
    memset(&device, 0, sizeof device);
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(NULL, index, &device, 0)) return;
    if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
      memcpy(field, device.DeviceID, kDeviceIdCapacity - 1);
      return;
    }
  }
}

void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value) {
  WritePrivateProfileStringA(section, key, value, file);
}
