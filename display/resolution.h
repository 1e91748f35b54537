// The display resolution recorded for the game: the screen's, or the one the settings configure.
#ifndef LAUNCHER_DISPLAY_RESOLUTION_H
#define LAUNCHER_DISPLAY_RESOLUTION_H

namespace launcher {

struct Resolution {
  int width;
  int height;
};

// The screen is always measured; check1, or qnores agreeing with customquality, puts qnoresX and qnoresY
// in its place, unchecked.
Resolution ChooseResolution();

}  // namespace launcher

#endif
