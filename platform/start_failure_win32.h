// The message box that says a start failed: the launcher's for the game, the companion's for its own start
// through the shell. One box in the same words, whichever program shows it: its heading, the full path
// that could not be started, Windows' reason and the error's code.
#ifndef LAUNCHER_PLATFORM_START_FAILURE_WIN32_H
#define LAUNCHER_PLATFORM_START_FAILURE_WIN32_H

#include <windows.h>

#include "platform/text.h"
#include "platform/win32_reads.h"

namespace launcher::win32 {

// GameExecPath, "\\" and GameExec below the current directory: 799 bytes at most, each one UTF-16 unit at
// most, and the zero.
inline constexpr int kStartFailureFileCapacity = 800;
// The system's wording of an error is a sentence or two.
inline constexpr DWORD kStartFailureReasonCapacity = 1024;
// The heading, a path of a folder and a file below it, the reason and the code.
inline constexpr DWORD kStartFailureTextCapacity =
    64 + kWidePathCapacity + kStartFailureFileCapacity + kStartFailureReasonCapacity;

inline DWORD AppendWide(wchar_t *text, DWORD at, const wchar_t *part) {
  while (*part != L'\0') text[at++] = *part++;
  return at;
}

// The fixed words in the player's language: Simplified Chinese for a Chinese user interface (the version
// resource's language), English otherwise. The system words its reason in its own language.
inline bool ChineseUserInterface() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE; }

// The heading, at the start of the text: the length it takes.
inline DWORD BeginStartFailure(wchar_t *text, bool chinese) {
  return AppendWide(text, 0, chinese ? L"无法启动游戏：\n" : L"The game could not be started:\n");
}

// The rest, after the path the text holds up to `at`, and the box.
inline void ShowStartFailure(wchar_t *text, DWORD at, unsigned long error, bool chinese) {
  at = AppendWide(text, at, L"\n\n");
  DWORD reasonLength = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text + at, kStartFailureReasonCapacity, nullptr);
  while (reasonLength > 0 && text[at + reasonLength - 1] <= L' ') --reasonLength;  // its line break
  at += reasonLength;
  // The code too, also where the system has no wording for it: support looks it up in any language.
  at = AppendWide(text, at, reasonLength == 0 ? L"" : L" ");
  at = AppendWide(text, at, chinese ? L"（错误代码 " : L"(error ");
  const auto code = Composed(error);
  for (const char digit : View(code)) text[at++] = static_cast<wchar_t>(digit);
  at = AppendWide(text, at, chinese ? L"）" : L")");
  text[at] = L'\0';
  // No owner window; the box comes to the front (the program was started by the player's click, or allowed
  // by the companion) and stays above other windows until dismissed.
  MessageBoxW(nullptr, text, chinese ? L"游戏未启动" : L"Game not started",
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace launcher::win32

#endif
