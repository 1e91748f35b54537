// Whether the game's path names a file the shell can start as a program, judged before the start: the
// launcher says why a game cannot start, and the preview fails a folder whose game would not.
#ifndef LAUNCHER_GAME_GAME_PATH_H
#define LAUNCHER_GAME_GAME_PATH_H

#include <string_view>

namespace launcher {

enum class GamePathJudgement : unsigned char {
  kProgram,      // a file the shell is given to start (a program, or any other file it opens as ever)
  kMissing,      // nothing there
  kFolder,       // a folder, which would open in a file manager
  kDevice,       // a device name (NUL, CON, COM1, NUL.exe, ...), which Windows opens as the device
  kNotAProgram,  // a file named .exe that is no program image: Windows refuses to run it
};

// Whether the last part of the path is one of the names Windows keeps for devices, with or without an
// extension, case aside: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0 to COM9, LPT0 to LPT9.
bool NamesDevice(std::string_view path);

// Looks at the path through the platform's file operations: the device name first (a device answers
// like a file there), then a folder, then a file at all, then, for a .exe, its first two bytes ("MZ").
GamePathJudgement JudgeGamePath(const char *path);

// The system error code that says why a judged path cannot start, for the system's own wording of it;
// 0 for a program.
unsigned long StartFailureCode(GamePathJudgement judgement);

}  // namespace launcher

#endif
