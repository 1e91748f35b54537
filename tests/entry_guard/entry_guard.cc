// One program per case of entry_guard.sh, chosen by a definition; each would exit with 7 had its set-up
// run, and with 0 otherwise.
#include <windows.h>

#include "platform/entry_win32.h"

namespace {

#if defined(GLOBAL_CONSTRUCTOR)
struct Code {
  int value = 0;
  Code() : value(7) {}
};
Code code;
int Run() { return code.value; }
#elif defined(STATIC_DESTRUCTOR)
struct Code {
  int value;
  ~Code() { Sleep(0); }
};
int Run() {
  static Code code{7};
  return code.value;
}
#elif defined(THREAD_LOCAL)
thread_local int code = 7;
int Run() { return code; }
#else
int Run() { return 7; }
#endif

}  // namespace

extern "C" PROGRAM_ENTRY void WINAPI GuardEntry() { ExitProcess(static_cast<UINT>(Run())); }
