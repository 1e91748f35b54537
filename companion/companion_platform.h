/* The companion's own outward effects, beside the launcher's platform operations it shares (the current
 * directory and the local date). companion_platform_win32.c carries these out with the ANSI Win32
 * functions; the unit tests link a recording double instead. */
#ifndef LAUNCHER_COMPANION_COMPANION_PLATFORM_H
#define LAUNCHER_COMPANION_COMPANION_PLATFORM_H

#include "companion/vendor_id.h"

#ifdef __cplusplus
extern "C" {
#endif

/* EnumDisplayDevicesA over the adapters until the one flagged DISPLAY_DEVICE_PRIMARY_DEVICE: fills the
 * field with its DeviceID, or leaves it empty when no adapter is flagged primary. */
void CompanionReadPrimaryDisplayDeviceId(char field[kDeviceIdCapacity]);

/* WritePrivateProfileStringA: creates or replaces the key in that section of the file, creating the file
 * when absent. */
void CompanionWriteProfileString(const char *file, const char *section, const char *key, const char *value);

#ifdef __cplusplus
}
#endif

#endif
