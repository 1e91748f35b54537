// The message box that says a start failed: the launcher's for the game, the companion's for its own start
// through the shell. One box in the same words, whichever program shows it: its heading, the full path
// that could not be started, Windows' reason and the error's code, and the player's next step.
#ifndef LAUNCHER_PLATFORM_START_FAILURE_WIN32_H
#define LAUNCHER_PLATFORM_START_FAILURE_WIN32_H

#include <windows.h>

#include "platform/text.h"
#include "platform/win32_reads.h"

namespace launcher::win32 {

// GameExecPath, "\\", GameExec and the extension the shell's completion adds below the current directory:
// 803 bytes at most, each one UTF-16 unit at most, and the zero.
inline constexpr int kStartFailureFileCapacity = 804;
// The system's wording of an error is a sentence or two, with the file's name where it names one.
inline constexpr DWORD kStartFailureReasonCapacity = 1024 + kStartFailureFileCapacity;
// The heading, a path of a folder and a file below it, the reason, the code and the next step: the fixed
// words and the code's digits take 87 units at most, in English.
inline constexpr DWORD kStartFailureTextCapacity =
    96 + kWidePathCapacity + kStartFailureFileCapacity + kStartFailureReasonCapacity;

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

// Each insert a system message may hold, %1 to %99, as FormatMessageW takes them.
using StartFailureInserts = DWORD_PTR[99];

// The rest, after the path the text holds up to `at`, and the box. `inserts`, when given, name the file
// wherever the system's wording has an insert: "%1 is not a valid Win32 application."
// Inlined into its one caller in each program, which passes its inserts or none as a constant.
[[gnu::always_inline]] inline void ShowStartFailure(wchar_t *text, DWORD at, const StartFailureInserts *inserts,
                                                    unsigned long error, bool chinese) {
  at = AppendWide(text, at, L"\n\n");
  DWORD reasonLength =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM |
                         (inserts == nullptr ? FORMAT_MESSAGE_IGNORE_INSERTS : FORMAT_MESSAGE_ARGUMENT_ARRAY),
                     nullptr, error, 0, text + at, kStartFailureReasonCapacity,
                     inserts == nullptr ? nullptr : reinterpret_cast<va_list *>(const_cast<DWORD_PTR *>(*inserts)));
  while (reasonLength > 0 && text[at + reasonLength - 1] <= L' ') --reasonLength;  // its line break
  at += reasonLength;
  // The code too, also where the system has no wording for it: support looks it up in any language.
  at = AppendWide(text, at, reasonLength == 0 ? L"" : L" ");
  at = AppendWide(text, at, chinese ? L"（错误代码 " : L"(error ");
  const auto code = Composed(error);
  for (const char digit : View(code)) text[at++] = static_cast<wchar_t>(digit);
  at = AppendWide(text, at, chinese ? L"）" : L")");
  // What the player can do: a game file that is missing, damaged or blocked comes back with the game.
  at = AppendWide(text, at, chinese ? L"\n\n重新安装游戏可能会解决此问题。" : L"\n\nReinstalling the game may help.");
  text[at] = L'\0';
  // No owner window; the box comes to the front (the program was started by the player's click, or allowed
  // by the companion) and stays above other windows until dismissed.
  MessageBoxW(nullptr, text, chinese ? L"游戏未启动" : L"Game not started",
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace launcher::win32

#endif
