// launcher-check.exe, the preview: a console program that prints what a run in the current folder would do
// and why, from the launcher's own decisions, without doing it.
//   launcher-check.exe           prints in the ANSI code page, as the launcher reads its texts
//   launcher-check.exe --utf8    prints in UTF-8, for a reader that is not a Windows console (a CI log)
#include <windows.h>

#include <string_view>

#include "platform/dll_search_win32.h"
#include "platform/win32_reads.h"
#include "preview/preview.h"

namespace {

// The console's own code page, given back at the end (0: no console to give it back to).
UINT consoleCodePage = 0;

// Ctrl+C or a closed console: the code page is given back, and the default handling ends the process.
BOOL WINAPI GiveBackCodePage(DWORD /*event*/) {
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return FALSE;
}

}  // namespace

int main(int argc, char **argv) {
  launcher::win32::LimitDllSearch();
  launcher::win32::FailCriticalErrorsInThread();
  const bool utf8 = argc == 2 && std::string_view(argv[1]) == "--utf8";
  if (argc > 1 && !utf8) {
    constexpr std::string_view kUsage = "usage: launcher-check.exe [--utf8], in the game folder\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), kUsage.data(), kUsage.size(), &written, nullptr);
    return 1;
  }
  if (utf8) launcher::preview::WriteInUtf8();
  // Texts print as the launcher reads them: in the ANSI code page (or in UTF-8 when asked). The console is
  // the user's shell's, so its own code page is given back before the end, also when the preview is
  // interrupted.
  consoleCodePage = GetConsoleOutputCP();
  SetConsoleCtrlHandler(GiveBackCodePage, TRUE);
  SetConsoleOutputCP(utf8 ? CP_UTF8 : GetACP());
  const int verdict = launcher::preview::PreviewRun();
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return verdict;
}
