// launcher-check.exe, the preview: a console program that runs the launcher's own run against the preview's
// platform operations, which print what the run reads and what it would do instead of doing it.
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/dll_search_win32.h"
#include "preview/preview.h"

int main() {
  launcher::win32::LimitDllSearch();
  // Texts print as the launcher reads them: in the ANSI code page. The console is the user's shell's, so
  // its own code page is given back before the end (0: no console to give it back to).
  const UINT consoleCodePage = GetConsoleOutputCP();
  SetConsoleOutputCP(GetACP());
  launcher::RunLauncher();
  const int verdict = launcher::preview::Verdict();
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return verdict;
}
