// launcher-check.exe, the preview: a console program that runs the launcher's own run against the preview's
// platform operations, which print what the run reads and what it would do instead of doing it.
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/dll_search_win32.h"
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

int main() {
  launcher::win32::LimitDllSearch();
  // Texts print as the launcher reads them: in the ANSI code page. The console is the user's shell's, so
  // its own code page is given back before the end, also when the preview is interrupted.
  consoleCodePage = GetConsoleOutputCP();
  SetConsoleCtrlHandler(GiveBackCodePage, TRUE);
  SetConsoleOutputCP(GetACP());
  launcher::RunLauncher();
  const int verdict = launcher::preview::Verdict();
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return verdict;
}
