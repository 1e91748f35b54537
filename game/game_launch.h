// The game's start: its file, parameters and directory, composed from the working directory and the
// game section of the settings.
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

// Every path holds its parts in full: each part at its longest, one "\" between parts.
struct GameLaunch {
  // working directory\GameExecPath\GameExec
  ComposedText<WorkingDirectory, decltype(kPathSeparator), GameText, decltype(kPathSeparator), GameText> file;
  GameParameters parameters;  // Para, until the graphics mode settles it
  // working directory\GameExecPath
  ComposedText<WorkingDirectory, decltype(kPathSeparator), GameText> directory;
  // GameExecPath\GameExec, the file's path below the working directory: what the player is told of a game
  // that cannot start, after the current directory as Windows gives it in wide characters
  ComposedText<GameText, decltype(kPathSeparator), GameText> fileBelowDirectory;
  GamePathJudgement judgement;  // whether the file can start, judged before the start
};

GameLaunch BuildGameLaunch(const WorkingDirectory &workingDirectory);

// Starts the game and returns without waiting for it. A path that names no file the shell can start as a
// program (nothing there, a folder, a device, a .exe that is no program image) starts nothing, and a start
// that fails starts nothing either: the player is told either way, and the call returns once the message
// is dismissed.
void StartGame(const GameLaunch &launch);

}  // namespace launcher

#endif
