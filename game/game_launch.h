// The game's start: its file, parameters and directory, composed from the working directory and the
// game section of the settings, with the judgement of its file.
#ifndef LAUNCHER_GAME_GAME_LAUNCH_H
#define LAUNCHER_GAME_GAME_LAUNCH_H

#include "game/game_path.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace launcher {

inline constexpr char kPathSeparator[] = "\\";

using GameText = Text<kGameTextCapacity>;
using GameParameters = GameText;

// The parts in full at their longest, with room for the extension the shell's completion adds.
template <typename... Parts>
using CompletedText = Text<kComposedCapacity<Parts...> + kLongestCompletion>;

// Every path holds its parts in full: each part at its longest, one "\" between parts.
struct GameLaunch {
  // working directory\GameExecPath\GameExec, completed as the shell completes a name without an extension:
  // what is judged and handed to the shell
  CompletedText<WorkingDirectory, decltype(kPathSeparator), GameText, decltype(kPathSeparator), GameText> file;
  GameParameters parameters;  // Para, until the graphics mode settles it
  // working directory\GameExecPath
  ComposedText<WorkingDirectory, decltype(kPathSeparator), GameText> directory;
  // GameExecPath\GameExec as completed, the file's path below the working directory: what the player is told
  // of a game that cannot start, after the current directory as Windows gives it in wide characters
  CompletedText<GameText, decltype(kPathSeparator), GameText> fileBelowDirectory;
  GamePathJudgement judgement;  // of `file`, made before anything is started
};

// Reads the game section, composes the paths and judges the game's file (game_path.h).
GameLaunch BuildGameLaunch(const WorkingDirectory &workingDirectory);

// Starts the game as judged and returns without waiting for it: a program or a document goes to the shell,
// anything else starts nothing. Returns 0 when the shell started it, else the system error code that says
// why it was not started: the judgement's, or the shell's.
unsigned long StartGame(const GameLaunch &launch);

}  // namespace launcher

#endif
