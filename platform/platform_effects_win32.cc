// The launcher's outward effects, carried out with the ANSI Win32 functions. Only the launcher links this
// file: the preview, which links the reads alone, cannot carry out any of them.
#include "platform/platform.h"

#include <windows.h>

#include <cstring>

#include "platform/dll_search_win32.h"
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

// The folder's claim while this launcher holds it.
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

DWORD Append(wchar_t *text, DWORD at, const wchar_t *part) {
  while (*part != L'\0') text[at++] = *part++;
  return at;
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
  // GameExecPath, "\\", GameExec and the extension the shell's completion adds: 803 bytes at most, each one
  // UTF-16 unit at most, and the zero.
  constexpr int kFileBelowCapacity = 804;
  // The system's wording of an error is a sentence or two, with the file's name where it names one.
  constexpr DWORD kReasonCapacity = 1024 + kFileBelowCapacity;
  // The fixed words in the player's language: Simplified Chinese for a Chinese user interface (the
  // version resource's language), English otherwise. The system words its reason in its own language.
  const bool chinese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE;
  // The fixed words, the code's digits and the zero: 87 units at most, in English.
  constexpr DWORD kFixedCapacity = 96;
  wchar_t text[kFixedCapacity + kWidePathCapacity + kFileBelowCapacity + kReasonCapacity];
  DWORD at = Append(text, 0, chinese ? L"无法启动游戏：\n" : L"The game could not be started:\n");
  // The full path in wide characters, so that any folder name shows.
  const DWORD directoryLength = GetCurrentDirectoryW(kWidePathCapacity, text + at);
  at = directoryLength == 0 || directoryLength >= kWidePathCapacity ? Append(text, at, L".") : at + directoryLength;
  text[at++] = L'\\';
  wchar_t below[kFileBelowCapacity];
  if (MultiByteToWideChar(CP_ACP, 0, fileBelowDirectory, -1, below, kFileBelowCapacity) == 0) below[0] = L'\0';
  at = Append(text, at, below);
  at = Append(text, at, L"\n\n");
  // Each insert a system message may hold, %1 to %99, names the file: "%1 is not a valid Win32 application."
  DWORD_PTR inserts[99];
  for (DWORD_PTR &insert : inserts) insert = reinterpret_cast<DWORD_PTR>(below);
  DWORD reasonLength = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, error, 0,
                                      text + at, kReasonCapacity, reinterpret_cast<va_list *>(inserts));
  while (reasonLength > 0 && text[at + reasonLength - 1] <= L' ') --reasonLength;  // its line break
  at += reasonLength;
  // The code too, also where the system has no wording for it: support looks it up in any language.
  at = Append(text, at, reasonLength == 0 ? L"" : L" ");
  at = Append(text, at, chinese ? L"（错误代码 " : L"(error ");
  const auto code = Composed(error);
  for (const char digit : View(code)) text[at++] = static_cast<wchar_t>(digit);
  at = Append(text, at, chinese ? L"）" : L")");
  // What the player can do: a game file that is missing, damaged or blocked comes back with the game.
  at = Append(text, at, chinese ? L"\n\n重新安装游戏可能会解决此问题。" : L"\n\nReinstalling the game may help.");
  text[at] = L'\0';
  // No owner window; the box comes to the front (the launcher was started by the player's click, or allowed
  // by the companion) and stays above other windows until dismissed.
  MessageBoxW(nullptr, text, chinese ? L"游戏未启动" : L"Game not started",
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
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
