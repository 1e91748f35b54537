// The companion's own outward effects, beside the launcher's platform operations it shares (the current
// directory, whether a file is there, and the local date). companion_platform_win32.cc carries out both
// with the Win32 functions named below, and only those: the companion imports nothing it does not call.
// The unit tests link a recording double instead.
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

// Starts launcher.exe from the companion's own folder, without waiting for it: GetModuleFileNameW gives
// the companion's full path, whose file name is replaced by "launcher.exe"; CreateProcessW starts that
// file by its full path (nothing is searched for, the current directory included), with the path in
// quotes as its command line, the companion's current directory and environment, and no handles
// inherited, suspended until AllowSetForegroundWindow has let it take the foreground; both handles it
// returns are closed at once. Starts nothing when the companion's path is not had in full or when there
// is no launcher.exe beside it. Wide functions throughout, so that a folder the ANSI code page cannot
// spell works too. 0 when the launcher was started, else the system error code that says why not
// (ERROR_ELEVATION_REQUIRED for a launcher.exe set to run as an administrator).
unsigned long CompanionStartLauncher();

// The same launcher.exe, by the same full path and in the companion's current directory, started through
// ShellExecuteExW with the default verb, which asks for consent where Windows requires elevation for it.
// shell32 is loaded from the system folder by its full path, as the launcher does; when it cannot be,
// nothing is started.
void CompanionStartLauncherThroughShell();

}  // namespace launcher

#endif
