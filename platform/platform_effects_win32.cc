// The launcher's outward effects, carried out with the ANSI Win32 functions. Only the launcher links this
// file: the preview, which links the reads alone, cannot carry out any of them.
#include "platform/platform.h"

#include <windows.h>

#include <cstring>

#include "platform/dll_search_win32.h"
#include "platform/start_failure_win32.h"
#include "platform/text.h"
#include "platform/win32_reads.h"

namespace launcher {
namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI *)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// ShellExecuteA from shell32 in the system folder; null when it cannot be loaded.
ShellExecuteFunction LoadShellExecute() {
  const HMODULE shell = win32::LoadSystemShell();
  return shell == nullptr ? nullptr : win32::ModuleFunction<ShellExecuteFunction>(shell, "ShellExecuteA");
}

// The system error code of a failure ShellExecuteA reports (a result of 32 or less): its own codes become
// the system's codes of the same meaning; 2, 3, 5, 8 and 11 are the system's codes already.
unsigned long StartError(INT_PTR result) {
  switch (result) {
    case 0: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    default: return static_cast<unsigned long>(result);
  }
}

// The folder's claim while this launcher holds it. (This file is compiled without -fdata-sections: with it,
// MinGW's GCC puts even a zero-initialized variable into a .data section of its own, which costs the image
// a whole file block for 8 bytes.)
HANDLE folderClaim = nullptr;

wchar_t *AppendHex(wchar_t *at, unsigned long long value) {
  constexpr char kHexDigits[] = "0123456789abcdef";
  for (int shift = 60; shift >= 0; shift -= 4) *at++ = kHexDigits[(value >> shift) & 15];
  return at;
}

// The current folder itself, whatever path leads to it (a short name, a link or junction, another drive
// letter, other case): its volume's serial number and its file ID. FileIdInfo gives the whole 128-bit ID,
// which ReFS needs (Windows 8 and later); GetFileInformationByHandle the 64-bit one elsewhere. False when
// the folder cannot be opened or its file system gives it no ID.
bool ReadFolderIdentity(unsigned long long (&identity)[3]) {
  // Opening a folder takes FILE_FLAG_BACKUP_SEMANTICS; reading its attributes needs no more rights than
  // listing it, and sharing everything keeps nobody from renaming or deleting it meanwhile.
  HANDLE folder = CreateFileW(L".", FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  FILE_ID_INFO id;
  BY_HANDLE_FILE_INFORMATION information;
  identity[1] = identity[2] = 0;
  if (GetFileInformationByHandleEx(folder, FileIdInfo, &id, sizeof id)) {
    identity[0] = id.VolumeSerialNumber;
    std::memcpy(&identity[1], id.FileId.Identifier, sizeof id.FileId.Identifier);
  } else if (GetFileInformationByHandle(folder, &information)) {
    identity[0] = information.dwVolumeSerialNumber;
    identity[2] = static_cast<unsigned long long>(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
  }
  CloseHandle(folder);
  return identity[1] != 0 || identity[2] != 0;
}

// The folder's text as Windows compares paths, without regard to case: its 64-bit FNV-1a hash, since
// object names hold no "\\" and at most MAX_PATH characters while the folder's may hold up to 32767. False
// when the folder's name cannot be read.
bool HashFolderText(unsigned long long &hash) {
  using win32::kWidePathCapacity;
  wchar_t directory[kWidePathCapacity];
  const DWORD length = win32::ReadWideCurrentDirectory(directory);
  if (length == 0) return false;
  wchar_t upper[kWidePathCapacity];
  const int upperLength =
      LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, directory, static_cast<int>(length), upper, kWidePathCapacity);
  hash = 14695981039346656037ull;
  for (int i = 0; i < upperLength; ++i) hash = (hash ^ static_cast<unsigned short>(upper[i])) * 1099511628211ull;
  return upperLength > 0;
}

}  // namespace

bool PlatformClaimCurrentDirectory() {
  constexpr wchar_t kPrefix[] = L"Local\\GameLauncher-";
  constexpr int kPrefixLength = sizeof kPrefix / sizeof kPrefix[0] - 1;
  wchar_t name[kPrefixLength + 3 * 16 + 1];
  std::memcpy(name, kPrefix, sizeof kPrefix);
  wchar_t *end = name + kPrefixLength;
  unsigned long long identity[3];
  unsigned long long hash;
  if (ReadFolderIdentity(identity)) {
    for (const unsigned long long part : identity) end = AppendHex(end, part);
  } else if (HashFolderText(hash)) {
    end = AppendHex(end, hash);  // the name from the folder's text, only where the folder cannot be opened
  } else {
    return true;
  }
  *end = L'\0';
  // Held open until it is let go or the process ends; whoever opens it meanwhile finds it there. One that
  // this launcher may not open (another account's, or an elevated launcher's) is held all the same; one
  // that cannot be created for any other reason keeps nobody from the run.
  folderClaim = CreateMutexW(nullptr, FALSE, name);
  if (folderClaim == nullptr) return GetLastError() != ERROR_ACCESS_DENIED;
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

void PlatformReleaseCurrentDirectory() {
  if (folderClaim != nullptr) CloseHandle(folderClaim);
  folderClaim = nullptr;
}

void PlatformPause(unsigned long milliseconds) { Sleep(milliseconds); }

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
  if (shellExecute == nullptr) return ERROR_DLL_NOT_FOUND;
  // Windows lets the program take the foreground only when the launcher allows it, since the launcher has
  // no window of its own. ShellExecuteA gives no process id beforehand: any process may take it until the
  // player's next input.
  AllowSetForegroundWindow(ASFW_ANY);
  const auto result = reinterpret_cast<INT_PTR>(shellExecute(nullptr, nullptr, file, parameters, directory, SW_SHOW));
  return result > 32 ? 0 : StartError(result);
}

void PlatformShowStartFailure(const char *fileBelowDirectory, unsigned long error) {
  using win32::kWidePathCapacity;
  const bool chinese = win32::ChineseUserInterface();
  wchar_t text[win32::kStartFailureTextCapacity];
  DWORD at = win32::BeginStartFailure(text, chinese);
  // The full path in wide characters, so that any folder name shows.
  const DWORD directoryLength = GetCurrentDirectoryW(kWidePathCapacity, text + at);
  at = directoryLength == 0 || directoryLength >= kWidePathCapacity ? win32::AppendWide(text, at, L".")
                                                                     : at + directoryLength;
  text[at++] = L'\\';
  wchar_t below[win32::kStartFailureFileCapacity];
  if (MultiByteToWideChar(CP_ACP, 0, fileBelowDirectory, -1, below, win32::kStartFailureFileCapacity) == 0) {
    below[0] = L'\0';
  }
  at = win32::AppendWide(text, at, below);
  win32::StartFailureInserts inserts;
  for (DWORD_PTR &insert : inserts) insert = reinterpret_cast<DWORD_PTR>(below);
  win32::ShowStartFailure(text, at, &inserts, error, chinese);
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

void PlatformDeleteFile(const char *path) { DeleteFileA(path); }

void PlatformShowMessage(const char *text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

}  // namespace launcher
