// The working directory: the base of every path the launcher composes.
#ifndef LAUNCHER_WORKING_DIRECTORY_H
#define LAUNCHER_WORKING_DIRECTORY_H

#include "platform/platform.h"

namespace launcher {

// How the working directory is spelled.
enum class DirectorySpelling : unsigned char {
  kAsItIs,      // the current directory in the ANSI code page
  kShortForm,   // its short form: the code page cannot spell its name
  kUnreadable,  // "." in its place: it cannot be read
  kTooLong,     // "." in its place: it does not fit
  kUnspelled,   // "." in its place: neither it nor a short form is spelled by the code page
};

// The current directory as the ANSI code page spells it. When the code page cannot spell its name, its
// short form, when the code page spells that. Otherwise, and when it cannot be read or does not fit, "."
// so that composed paths stay relative to the current directory instead of starting at the drive root.
WorkingDirectory ReadWorkingDirectory(DirectorySpelling &spelling);

inline WorkingDirectory ReadWorkingDirectory() {
  DirectorySpelling spelling;
  return ReadWorkingDirectory(spelling);
}

}  // namespace launcher

#endif
