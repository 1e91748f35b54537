// The launcher and the companion start at an entry of their own (use_own_entry in cmake/own_entry.cmake)
// instead of the C runtime's start-up code. They need nothing of what that code sets up: no arguments, no
// environment, no constructors of globals, no functions run at exit, no floating point; what they call of
// msvcrt (memchr, memcmp, strlen) needs no setting up, and the link refuses what would need it. Without
// it each program is 11 KiB smaller and imports fewer functions. The entry ends the process itself:
// Windows' thread start would otherwise end only the thread.
#ifndef LAUNCHER_PLATFORM_ENTRY_WIN32_H
#define LAUNCHER_PLATFORM_ENTRY_WIN32_H

// Windows aligns a 32-bit program's stack to 4 bytes only, where the compiler's code may count on 16: the
// entry aligns it first, as the C runtime's start-up does.
#if defined(__i386__)
#define PROGRAM_ENTRY __attribute__((force_align_arg_pointer))
#else
#define PROGRAM_ENTRY
#endif

#endif
