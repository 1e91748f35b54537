// The companion's own outward effects, beside the launcher's platform operations it shares (the current
// directory, whether a file is there, the local date and the deletion of a file). companion_platform_win32.cc
// carries out both with the Win32 functions named below, and only those: the companion imports nothing it
// does not call. The unit tests link a recording double instead.
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

// OpenProcessToken and GetTokenInformation(TokenElevation): the companion runs elevated; true also when
// that cannot be read, so that the companion never starts itself again then.
bool CompanionRunsElevated();

// The companion itself, by its full path (GetModuleFileNameW) and in its current directory, started again
// through ShellExecuteExW with the "runas" verb, which asks for consent: elevated, it writes its file where
// an elevated launcher reads, and starts that launcher without another prompt. COM is set up first and
// shell32 loaded from the system folder by its full path, as the launcher does; the call returns once the
// start is done (SEE_MASK_NOASYNC) and shows no error box of its own (SEE_MASK_FLAG_NO_UI). 0 when it
// started, else the system error code (ERROR_CANCELLED when the player declined the prompt).
unsigned long CompanionRestartElevated();

// The launcher's box for a game that cannot start (platform/start_failure_win32.h), naming the companion by
// its full path and saying Windows' reason for the error and its code.
void CompanionShowStartFailure(unsigned long error);

}  // namespace launcher

#endif
