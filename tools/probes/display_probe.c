/* Prints the DeviceID of the primary display adapter, as EnumDisplayDevicesA reports it to the program
 * running it, on one line, and exits 0; prints "none" and exits 2 when no adapter is flagged primary. */
#include <windows.h>

#include <stdio.h>

int main(void) {
  DISPLAY_DEVICEA device;
  for (DWORD index = 0;; ++index) {
    ZeroMemory(&device, sizeof device);
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(NULL, index, &device, 0)) break;
    if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
      printf("%s\n", device.DeviceID);
      return 0;
    }
  }
  printf("none\n");
  return 2;
}
