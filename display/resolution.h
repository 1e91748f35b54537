/* The display resolution recorded for the game: the screen's, or the one the settings configure. */
#ifndef LAUNCHER_DISPLAY_RESOLUTION_H
#define LAUNCHER_DISPLAY_RESOLUTION_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Resolution {
  int width;
  int height;
} Resolution;

/* The screen is always measured; check1, or qnores agreeing with customquality, puts qnoresX and qnoresY
 * in its place, unchecked. */
Resolution ChooseResolution(void);

#ifdef __cplusplus
}
#endif

#endif
