// The companion's own outward effects, beside the launcher's platform operations it shares (the current
// directory and the local date). companion_platform_win32.cc carries out both with the ANSI Win32
// functions, and only those: the companion imports nothing it does not call. The unit tests link a
// recording double instead.
#ifndef LAUNCHER_COMPANION_COMPANION_PLATFORM_H
#define LAUNCHER_COMPANION_COMPANION_PLATFORM_H

#include "companion/vendor_id.h"

namespace launcher {

// EnumDisplayDevicesA over the adapters until the one flagged DISPLAY_DEVICE_PRIMARY_DEVICE: its
// DeviceID, or the empty text when no adapter is flagged primary.
DeviceId CompanionReadPrimaryDisplayDeviceId();

// WritePrivateProfileStringA: creates or replaces the key in that section of the file, creating the file
// when absent.
void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value);

}  // namespace launcher

#endif
