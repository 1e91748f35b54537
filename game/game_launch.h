// The game's start: its file, parameters and directory, composed from the working directory and the
// game section of the settings.
#ifndef LAUNCHER_GAME_GAME_LAUNCH_H
#define LAUNCHER_GAME_GAME_LAUNCH_H

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
};

GameLaunch BuildGameLaunch(const WorkingDirectory &workingDirectory);

// Starts the game and returns without waiting for it; a path that names a folder starts nothing.
void StartGame(const GameLaunch &launch);

}  // namespace launcher

#endif
