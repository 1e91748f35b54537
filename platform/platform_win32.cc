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
  return GetCurrentDirectoryA(capacity, field);
}

bool PlatformGetShortCurrentDirectory(char *field, unsigned long capacity) {
  return win32::ReadShortCurrentDirectory(field, capacity);
}

unsigned long PlatformGetSystemDirectory(char *field, unsigned long capacity) {
  return GetSystemDirectoryA(field, capacity);
}

unsigned long PlatformGetWindowsDirectory(char *field, unsigned long capacity) {
  return GetWindowsDirectoryA(field, capacity);
}

bool PlatformIsFile(const char *path) { return win32::IsFile(path); }

int PlatformReadProfileInt(const char *file, const char *section, const char *key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

void PlatformReadProfileString(const char *file, const char *section, const char *key, char *field,
                               unsigned long capacity) {
  GetPrivateProfileStringA(section, key, "", field, capacity, file);
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

void PlatformStartProgram(const char *file, const char *parameters, const char *directory) {
  const auto shellExecute = LoadShellExecute();
  if (shellExecute != nullptr) shellExecute(nullptr, nullptr, file, parameters, directory, SW_SHOW);
}

void PlatformStartRegistryEditor(const char *file, const char *parameters, const char *directory) {
  PlatformStartProgram(file, parameters, directory);
}

LocalDate PlatformReadLocalDate() { return win32::ReadLocalDate(); }

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

void PlatformShowMessage(const char *text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

}  // namespace launcher
