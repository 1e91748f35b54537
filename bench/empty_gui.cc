// The smallest Windows GUI program, built as the shipped programs are (its own entry, no C runtime start-up):
// the floor that bench/run compares their sizes with.
#include <windows.h>

#include "platform/entry_win32.h"

extern "C" PROGRAM_ENTRY void WINAPI EmptyEntry() { ExitProcess(0); }
