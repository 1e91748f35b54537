// Everything the launcher reads from Windows and every outward effect it has, in two groups. The reads
// (the working directory and its short form, the system folders, files, the settings files, the screen, the
// local date) are carried out by platform_reads_win32.cc, which the launcher and the preview link; the
// effects (the folder's claim, pauses, the registry, starting programs, file deletion and the message
// boxes) by platform_effects_win32.cc, which only the launcher links. The unit tests link a recording
// double instead. No caller tests a result beyond what each comment promises.
#ifndef LAUNCHER_PLATFORM_H
#define LAUNCHER_PLATFORM_H

#include <cstddef>

#include "platform/text.h"

namespace launcher {

// ---- Reads: the launcher and the preview ----

// The current directory as the launcher keeps it: at most 399 characters.
inline constexpr std::size_t kWorkingDirectoryCapacity = 400;
using WorkingDirectory = Text<kWorkingDirectoryCapacity>;

// GetCurrentDirectoryA: fills the field and returns the directory's length, or the capacity it would
// need when it does not fit (the field's content is then undefined), or 0 when it cannot be read.
unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity);

// GetCurrentDirectoryW, GetShortPathNameW and WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS): the
// current directory's short form in the ANSI code page. True, with the field filled, when the directory
// has a short form, the code page spells every character of it and it fits the field with its zero;
// false otherwise (the field's content is then undefined).
bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity);

// Where Windows keeps its own programs: MAX_PATH characters with the zero.
inline constexpr std::size_t kSystemFolderCapacity = 260;
using SystemFolder = Text<kSystemFolderCapacity>;

// GetSystemDirectoryA and GetWindowsDirectoryA: fill the field and return the folder's length, or the
// capacity it would need when it does not fit, or 0 when it cannot be read.
unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity);
unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity);

// GetFileAttributesA: whether the path names a file (not a folder). For a 32-bit program on 64-bit
// Windows, a path in the system directory is looked up in the 32-bit system folder.
bool PlatformIsFile(const char *path);

// GetFileAttributesA: whether the path names a folder.
bool PlatformIsFolder(const char *path);

// CreateFileA (shared with writers and deleters) and ReadFile at an offset: up to `capacity` bytes of
// the file from `offset` on. How many were read, 0 at its end; kFileMissing when neither the file nor its
// folder is there, kFileUnreadable when it cannot be opened or read for any other reason.
inline constexpr long kFileMissing = -1;
inline constexpr long kFileUnreadable = -2;
long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity);

// GetPrivateProfileIntA: the key's value, or fallback when the file, section or key is absent.
int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback);

// GetPrivateProfileStringA with "" as default: the key's text cut to capacity - 1 characters.
void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity);

// GetDC(NULL), GetDeviceCaps HORZRES and VERTRES, ReleaseDC: the screen's size in pixels.
void PlatformReadScreenSize(int &width, int &height);

struct LocalDate {
  int year;
  int month;
  int day;
};

// GetLocalTime.
LocalDate PlatformReadLocalDate();

// GetFullPathNameW on the path as the ANSI code page spells it: how many UTF-16 units it has once resolved
// against the current directory, without the zero, as Windows counts a path's length.
unsigned long PlatformFullPathLength(const char *path);

// ---- Effects: the launcher alone carries these out ----

// CreateMutexW on a name in the session's Local\ namespace made from the current folder's identity (its
// volume's serial number and file ID, from the folder opened with CreateFileW), so that every path to the
// folder meets the same claim; only where the folder cannot be opened, from its text (GetCurrentDirectoryW,
// in upper case with LCMapStringW, as Windows compares paths without regard to case). False when another
// launcher already holds it, also one this launcher may not open (another account's, an elevated one's).
// It is held until it is let go or the process ends; when it cannot be created otherwise, true.
bool PlatformClaimCurrentDirectory();

// Lets go of that claim, so that another launcher may run in the folder while this one still shows a
// message.
void PlatformReleaseCurrentDirectory();

// Sleep.
void PlatformPause(unsigned long milliseconds);

enum class RegistryRoot { kLocalMachine, kCurrentUser };
enum class RegistryValueType : unsigned long { kString = 1, kDword = 4 };  // REG_SZ, REG_DWORD
using RegistryKey = void *;

// RegCreateKeyA: opens the key below the root, creating it when absent. It stays open for the rest of
// the run, which ends a moment later.
RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey);

// RegSetValueExA: creates or replaces the value with exactly these bytes.
void PlatformSetRegistryValue(RegistryKey key, const char *name, RegistryValueType type, const unsigned char *data,
                              unsigned long length);

// ShellExecuteA with no owner, the default verb and SW_SHOW, after AllowSetForegroundWindow lets the program
// take the foreground; returns without waiting for the program.
// shell32 is loaded from the system folder by its full path at the first start; when it cannot be, no
// program is started. 0 when the program was started, else the system error code that says why not.
unsigned long PlatformStartProgram(const char *file, const char *parameters, const char *directory);

// The one word the player gets when the game cannot start: a message box, in front of other windows, with
// an error icon, that names the game's full path (the current directory, read in wide characters, then
// "\" and `fileBelowDirectory`, GameExecPath\GameExec), the system's own wording of `error`, a system
// error code, and the player's next step. Returns when the player dismisses it.
void PlatformShowStartFailure(const char *fileBelowDirectory, unsigned long error);

// The same start, of the system's registry editor on the registry script: an operation of its own, so
// that what carries out the run can tell the import from the game's start by what it is given. With
// kInvoker, the editor runs with the player's own rights and Windows asks for no consent: for that one start,
// "RunAsInvoker" joins the __COMPAT_LAYER variable of the launcher's environment, which is then put back as
// it was, so that nothing started later inherits it. With kAsked, the editor asks for the rights its
// manifest names, the account's highest.
enum class EditorRights { kInvoker, kAsked };
void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory,
                                 EditorRights rights);

// DeleteFileA.
void PlatformDeleteFile(const char *path);

// MessageBoxA with no owner, no caption and MB_OK; returns when the user dismisses it.
void PlatformShowMessage(const char *text);

}  // namespace launcher

#endif
