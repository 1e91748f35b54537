// The companion: writes the detection file of the day, which the launcher reads in its automatic
// graphics mode, with the vendor of the primary display adapter, then starts the launcher beside it.
#ifndef LAUNCHER_COMPANION_COMPANION_H
#define LAUNCHER_COMPANION_COMPANION_H

namespace launcher {

// One whole run: reads the primary adapter's identifier and, when it names a PCI vendor and the working
// directory holds the game settings file, writes that vendor into today's detection file there. Writes
// nothing otherwise, and no other file in any case. Then, whether it wrote or not, starts launcher.exe from
// its own folder in the same working directory, without waiting for it. Where Windows requires elevation for
// the launcher, a companion not yet elevated deletes the file it wrote and starts itself again elevated,
// which runs the same steps; a failure of that start other than the player's "No" is said in a message box.
// Always returns 0.
int RunCompanion();

}  // namespace launcher

#endif
