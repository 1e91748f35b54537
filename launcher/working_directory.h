/* The working directory: the base of every path the launcher composes. */
#ifndef LAUNCHER_WORKING_DIRECTORY_H
#define LAUNCHER_WORKING_DIRECTORY_H

#ifdef __cplusplus
extern "C" {
#endif

enum { kWorkingDirectoryCapacity = 400 }; /* at most 399 characters */

/* Fills the field with the current directory, or with "." when it cannot be read or does not fit, so
 * that composed paths stay relative to the current directory instead of starting at the drive root. */
void ReadWorkingDirectory(char field[kWorkingDirectoryCapacity]);

#ifdef __cplusplus
}
#endif

#endif
