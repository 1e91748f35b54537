// The game's file as the shell and the loader will take it, judged before the start: a name without an
// extension completed as the shell completes it, then the file it names judged, so that what is judged is
// what is started. The launcher says why a game cannot start; the preview fails a folder whose game would not.
#ifndef LAUNCHER_GAME_GAME_PATH_H
#define LAUNCHER_GAME_GAME_PATH_H

#include <cstddef>
#include <string_view>

namespace launcher {

enum class GamePathJudgement : unsigned char {
  kProgram,      // a program the shell starts: a program image, or a .bat, .cmd, .pif or .lnk file
  kDocument,     // any other file, started all the same: the shell opens it with its type's program
  kMissing,      // nothing there, with none of the extensions the shell tries either
  kFolder,       // a folder, which would open in a file manager
  kDevice,       // a device name (NUL, CON, COM1, NUL.exe, ...), which Windows opens as the device
  kNotAProgram,  // a .exe or .com with no program image behind it: no "MZ", or no "PE\0\0" where it points
  kLibrary,      // a .exe or .com holding a DLL's image, which Windows loads but never runs
  kSixteenBit,   // a 16-bit or MS-DOS program (an NE or LE image, a .com without "MZ"): 64-bit Windows runs none
  kTooLong,      // a full path longer than Windows opens without long-path support
};

// What the shell's completion adds to a name without an extension: one of its extensions, four characters each.
inline constexpr std::size_t kLongestCompletion = 4;

// Whether the last part of the path is one of the names Windows keeps for devices, with or without an
// extension, case aside: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0 to COM9, LPT0 to LPT9.
bool NamesDevice(std::string_view path);

// Judges the path through the platform's reads, in this order: a device's name; a full path too long; for
// a name without an extension, the first of the shell's extensions (.pif, .com, .exe, .bat, .lnk, .cmd)
// that names a file, which completes the path in place (`capacity`, the path's field with its zero, has
// room for it); else a folder, a file at all; then the file's kind by its extension and, for a .exe or
// .com, by its image. A file that cannot be read is left to the start.
GamePathJudgement JudgeGamePath(char *path, std::size_t capacity);

// The system error code that says why a judged path cannot start, for the system's own wording of it;
// 0 for a program or a document.
unsigned long StartFailureCode(GamePathJudgement judgement);

}  // namespace launcher

#endif
