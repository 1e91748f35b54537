// The process entry: a GUI-subsystem program with no window of its own and no use for its command line.
// This is the image's entry point itself, without the C runtime's start-up code (platform/entry_win32.h).
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/dll_search_win32.h"
#include "platform/entry_win32.h"
#include "platform/win32_reads.h"

extern "C" PROGRAM_ENTRY void WINAPI LauncherEntry() {
  launcher::win32::LimitDllSearch();
  launcher::win32::FailCriticalErrorsInThread();
  ExitProcess(static_cast<UINT>(launcher::RunLauncher()));
}
