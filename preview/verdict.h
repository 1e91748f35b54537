// The preview's verdict on one run: from its facts (the launcher's own decisions, and what the preview's
// reads found), a "result:" line for every reason a run on Windows would fall short of its whole job, or do
// it for some players only, in the order the run meets them, and the preview's exit code:
//   0  the run does its whole job for every player: it imports a script the registry editor takes, records
//      the resolution and starts the game;
//   1  it falls short (this wins over 2);
//   2  it does its whole job, but not for every player: the editor asks for the account's highest rights
//      for the script, Windows and Wine read the script differently, or a name the registry or the file
//      system matches holds a byte beyond ASCII, which each player's ANSI code page reads in its own way.
#ifndef LAUNCHER_PREVIEW_VERDICT_H
#define LAUNCHER_PREVIEW_VERDICT_H

#include "preview/facts.h"

namespace launcher::preview {

// Those of the roots that are not the player's own, named: "HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT".
void PrintRootsNeedingRights(unsigned roots);

// Prints the run's result lines and returns the exit code.
int PrintVerdict(const RunFacts &facts);

}  // namespace launcher::preview

#endif
