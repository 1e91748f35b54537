// The process entry: a GUI-subsystem program with no window of its own and no use for its command line.
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/dll_search_win32.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  launcher::win32::LimitDllSearch();
  return launcher::RunLauncher();
}
