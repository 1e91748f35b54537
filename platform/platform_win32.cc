// The launcher's platform operations, carried out with the ANSI Win32 functions.
#include "platform/platform.h"

#include <windows.h>

#include "platform/dll_search_win32.h"
#include "platform/text.h"
#include "platform/win32_reads.h"

namespace launcher {
namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI *)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// ShellExecuteA from shell32 in the system folder, loaded by its full path; null when it cannot be loaded.
// shell32 is not imported at link time: Windows would then load it, and the DLLs it imports, before the
// entry limits the DLL search, and look for them in the program's folder first. What shell32 imports is
// looked for in the system folder only; a Windows without that flag (7 without KB2533623) refuses it, and
// there the altered search path at least looks in the system folder first.
ShellExecuteFunction LoadShellExecute() {
  constexpr char kShell[] = "\\shell32.dll";
  SystemFolder folder;
  const UINT length = GetSystemDirectoryA(folder.bytes.data(), kSystemFolderCapacity);
  if (length == 0 || length >= kSystemFolderCapacity) return nullptr;
  const auto path = Composed(folder, kShell);
  HMODULE shell = LoadLibraryExA(CString(path), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (shell == nullptr) shell = LoadLibraryExA(CString(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (shell == nullptr) return nullptr;
  return win32::ModuleFunction<ShellExecuteFunction>(shell, "ShellExecuteA");
}

}  // namespace

unsigned long PlatformGetCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadCurrentDirectory(field, capacity);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  return win32::ReadSystemDirectory(field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  return win32::ReadWindowsDirectory(field, capacity);
}

bool PlatformIsFile(const char *path) { return win32::IsFile(path); }

bool PlatformIsFolder(const char *path) { return win32::IsFolder(path); }

long PlatformReadFilePart(const char *path, unsigned long long offset, unsigned char *buffer, unsigned long capacity) {
  return win32::ReadFilePart(path, offset, buffer, capacity);
}

bool PlatformClaimCurrentDirectory() {
  // The folder as Windows compares paths: without regard to case.
  using win32::kWidePathCapacity;
  wchar_t directory[kWidePathCapacity];
  const DWORD length = win32::ReadWideCurrentDirectory(directory);
  if (length == 0) return true;
  wchar_t upper[kWidePathCapacity];
  const int upperLength =
      LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, directory, static_cast<int>(length), upper, kWidePathCapacity);
  // Object names hold no "\\" and at most MAX_PATH characters, while the folder's may hold up to 32767:
  // the name holds the folder's 64-bit FNV-1a hash instead.
  unsigned long long hash = 14695981039346656037ull;
  for (int i = 0; i < upperLength; ++i) hash = (hash ^ static_cast<unsigned short>(upper[i])) * 1099511628211ull;
  wchar_t name[] = L"Local\\GameLauncher-0000000000000000";
  constexpr char kHexDigits[] = "0123456789abcdef";
  for (int i = 0; i < 16; ++i) name[sizeof name / sizeof name[0] - 2 - i] = kHexDigits[(hash >> (4 * i)) & 15];
  // Held open until the process ends, which closes it; whoever opens it while it is held finds it there.
  HANDLE mutex = upperLength > 0 ? CreateMutexW(nullptr, FALSE, name) : nullptr;
  return mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
}

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return win32::ReadProfileInt(file, section, key, fallback);
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  win32::ReadProfileString(file, section, key, field, capacity);
}

void PlatformPause(unsigned long milliseconds) { Sleep(milliseconds); }

void PlatformReadScreenSize(int &width, int &height) { win32::ReadScreenSize(width, height); }

RegistryKey PlatformCreateRegistryKey(RegistryRoot root, const char *subkey) {
  HKEY key = nullptr;
  RegCreateKeyA(root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subkey, &key);
  return key;
}

void PlatformSetRegistryValue(RegistryKey key, const char *name, RegistryValueType type, const unsigned char *data,
                              unsigned long length) {
  RegSetValueExA(static_cast<HKEY>(key), name, 0, static_cast<DWORD>(type), data, length);
}

unsigned long PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  const auto shellExecute = LoadShellExecute();
  if (shellExecute != nullptr) shellExecute(nullptr, nullptr, file, parameters, directory, SW_SHOW);
  return 0;
}

void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory,
                                 EditorRights rights) {
  if (rights == EditorRights::kAsked) {
    PlatformStartProgram(file, parameters, directory);
    return;
  }
  constexpr wchar_t kLayer[] = L"__COMPAT_LAYER";
  constexpr wchar_t kInvoker[] = L" RunAsInvoker";
  // An environment variable holds at most 32767 characters with its zero.
  constexpr DWORD kValueCapacity = 32767;
  wchar_t before[kValueCapacity] = {};
  wchar_t layers[kValueCapacity + sizeof kInvoker / sizeof kInvoker[0]];
  // The room the player's own value needs with its zero: 0 when there is none, 1 when it is empty.
  const DWORD needed = GetEnvironmentVariableW(kLayer, nullptr, 0);
  const DWORD length = needed == 0 ? 0 : GetEnvironmentVariableW(kLayer, before, kValueCapacity);
  // A value that cannot be read back whole, to be put back, keeps the editor's start as it was.
  if (length >= kValueCapacity || (needed > 1 && length == 0)) {
    PlatformStartProgram(file, parameters, directory);
    return;
  }
  // The player's own layers stay, and RunAsInvoker joins them.
  DWORD at = 0;
  for (; at < length; ++at) layers[at] = before[at];
  for (const wchar_t c : kInvoker) {
    if (at != 0 || c != L' ') layers[at++] = c;  // the zero too
  }
  SetEnvironmentVariableW(kLayer, layers);
  PlatformStartProgram(file, parameters, directory);
  SetEnvironmentVariableW(kLayer, needed == 0 ? nullptr : before);
}

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

void PlatformShowMessage(const char *text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

}  // namespace launcher
