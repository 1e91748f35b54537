// The display resolution recorded for the game: the screen's, or the one the settings configure.
#ifndef LAUNCHER_DISPLAY_RESOLUTION_H
#define LAUNCHER_DISPLAY_RESOLUTION_H

namespace launcher {

struct Resolution {
  int width;
  int height;
};

enum class ResolutionSource : unsigned char {
  kScreen,        // the screen's own
  kCheck1,        // qnoresX x qnoresY, as check1 is set
  kQualityMatch,  // qnoresX x qnoresY, as qnores equals customquality
};

struct ResolutionChoice {
  Resolution resolution;
  Resolution screen;  // always measured, also when the settings take its place
  ResolutionSource source;
};

// The screen is always measured; check1, or qnores agreeing with customquality, puts qnoresX and qnoresY
// in its place, unchecked.
ResolutionChoice ChooseResolution();

}  // namespace launcher

#endif
