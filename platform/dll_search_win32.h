// How the programs take DLLs: the search limited by the first call of each entry, and shell32 and ole32
// by their full paths. The programs ship in game folders that players and other users of the machine can often write,
// and are signed by the publisher: a DLL planted there under a system DLL's name must never run inside
// them.
#ifndef LAUNCHER_PLATFORM_DLL_SEARCH_WIN32_H
#define LAUNCHER_PLATFORM_DLL_SEARCH_WIN32_H

#include <windows.h>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher::win32 {

// A function of a loaded DLL, or null when it has none of that name. Functions that older Windows lacks
// are taken this way, since as static imports they would keep the program from starting there.
template <typename Function>
Function ModuleFunction(HMODULE module, const char *name) {
  // Through void (*)(), which any function pointer converts to and from without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// DLLs loaded by name come from the system folder only, never from the program's folder or the current
// directory. SetDefaultDllDirectories needs Windows 8, or Windows 7 with update KB2533623; without it,
// SetDllDirectoryA("") at least takes the current directory out of the search. The safe search mode
// makes SearchPath look in the current directory last.
inline void LimitDllSearch() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI *)(DWORD);
  using SetDllDirectoryFunction = BOOL(WINAPI *)(LPCSTR);
  using SetSearchPathModeFunction = BOOL(WINAPI *)(DWORD);
  const auto setDefaultDllDirectories =
      ModuleFunction<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories");
  if (setDefaultDllDirectories == nullptr || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    const auto setDllDirectory = ModuleFunction<SetDllDirectoryFunction>(kernel, "SetDllDirectoryA");
    if (setDllDirectory != nullptr) setDllDirectory("");
  }
  const auto setSearchPathMode = ModuleFunction<SetSearchPathModeFunction>(kernel, "SetSearchPathMode");
  if (setSearchPathMode != nullptr) {
    setSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
  }
}

// The DLLs loaded at run time: a backslash and the file name, in fields of one size, so that one function
// loads them all.
using SystemLibraryName = char[13];
inline constexpr SystemLibraryName kShellLibrary = "\\shell32.dll";
inline constexpr SystemLibraryName kOleLibrary = "\\ole32.dll";

// A DLL of the system folder, loaded by its full path; null when it cannot be loaded. shell32 and ole32
// are not imported at link time: Windows would then load them, and the DLLs they import, before the entry
// limits the DLL search, and look for them in the program's folder first. What the DLL imports is looked
// for in the system folder only; a Windows without that flag (7 without KB2533623) refuses it, and there
// the altered search path at least looks in the system folder first.
inline HMODULE LoadSystemLibrary(const SystemLibraryName &name) {
  SystemFolder folder;
  const UINT length = GetSystemDirectoryA(folder.bytes.data(), kSystemFolderCapacity);
  if (length == 0 || length >= kSystemFolderCapacity) return nullptr;
  const auto path = Composed(folder, name);
  HMODULE library = LoadLibraryExA(CString(path), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr) library = LoadLibraryExA(CString(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return library;
}

// shell32, for ShellExecute, with COM set up on this thread as Microsoft's ShellExecute pages ask of
// every caller, since the shell may hand a start on to an extension activated through COM (for a game
// given as a shortcut or a batch file, say): apartment-threaded, OLE1's DDE off. ole32 comes from the
// system folder by its full path too; without it the start goes on all the same. Null when shell32
// cannot be loaded.
inline HMODULE LoadSystemShell() {
  using CoInitializeExFunction = HRESULT(WINAPI *)(LPVOID, DWORD);
  const HMODULE ole = LoadSystemLibrary(kOleLibrary);
  const auto coInitializeEx = ole == nullptr ? nullptr : ModuleFunction<CoInitializeExFunction>(ole, "CoInitializeEx");
  if (coInitializeEx != nullptr) coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  return LoadSystemLibrary(kShellLibrary);
}

}  // namespace launcher::win32

#endif
