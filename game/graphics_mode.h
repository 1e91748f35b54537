/* The graphics mode: whether the game gets "-opengl" instead of its own parameters, forced by radiostate
 * or chosen by the vendor named in the detection file of the day. */
#ifndef LAUNCHER_GAME_GRAPHICS_MODE_H
#define LAUNCHER_GAME_GRAPHICS_MODE_H

#include "game/game_launch.h"
#include "launcher/working_directory.h"
#include "platform/platform.h"

#ifdef __cplusplus
extern "C" {
#endif

#define OPENGL_SWITCH "-opengl"
#define NVIDIA_VENDOR_ID "0x10DE"

enum { kRadioAutomatic = 1, kRadioOpenGl = 2 };

/* The directory, "\", year, day and month as decimal numbers of any int, ".ini" and the zero. */
enum { kDetectionFileCapacity = (kWorkingDirectoryCapacity - 1) + 1 + 3 * 11 + sizeof ".ini" };

/* The detection file of the day: "<directory>\<year><day><month>.ini". The order is year, day, month, as
 * the program that writes the file names it: 31 October 2012 gives 20123110.ini. */
void ComposeDetectionFilePath(const char *directory, LocalDate date, char path[kDetectionFileCapacity]);

/* Settles the game's parameters. Names the detection file it consulted in detectionFile, or leaves that
 * empty when none was. */
void ChooseGameParameters(const char *workingDirectory, char parameters[kGameParametersCapacity],
                          char detectionFile[kDetectionFileCapacity]);

/* Deletes the detection file, when one was named, whether or not it exists. */
void RemoveDetectionFile(const char detectionFile[kDetectionFileCapacity]);

#ifdef __cplusplus
}
#endif

#endif
