/* The benchmark's reference: what a launcher with nothing to do would cost. It pauses as long as the
 * launcher's two fixed pauses together, then starts the game the way the launcher does: ShellExecuteA with
 * no owner window, the default verb and SW_SHOW, in the game's directory. Does not wait for the game.
 *
 *   bench_reference <game file> <parameters> <game directory>
 */
#include <windows.h>
#include <shellapi.h>

#include <stdlib.h>

enum { kFixedPauses = 2000 };

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  if (__argc != 4) return 2;

  Sleep(kFixedPauses);
  ShellExecuteA(NULL, NULL, __argv[1], __argv[2], __argv[3], SW_SHOW);
  return 0;
}
