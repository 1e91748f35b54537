// launcher-check.exe, the preview: a console program that runs the launcher's own run against the preview's
// platform operations, which print what the run reads and what it would do instead of doing it.
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/dll_search_win32.h"
#include "platform/preview.h"

int main() {
  launcher::win32::LimitDllSearch();
  // Texts print as the launcher reads them: in the ANSI code page.
  SetConsoleOutputCP(GetACP());
  launcher::RunLauncher();
  return launcher::preview::Verdict();
}
