#include "game/graphics_mode.h"

#include <stdio.h>
#include <string.h>

#include "settings/settings.h"

_Static_assert(sizeof OPENGL_SWITCH <= kGameParametersCapacity, "the switch fits the parameters");

void ComposeDetectionFilePath(const char *directory, LocalDate date, char path[kDetectionFileCapacity]) {
  memset(path, 0, kDetectionFileCapacity);
  snprintf(path, kDetectionFileCapacity, "%s\\%d%d%d.ini", directory, date.year, date.day, date.month);
}

static void UseOpenGlSwitch(char parameters[kGameParametersCapacity]) {
  memset(parameters, 0, kGameParametersCapacity);
  memcpy(parameters, OPENGL_SWITCH, sizeof OPENGL_SWITCH);
}

void ChooseGameParameters(const char *workingDirectory, char parameters[kGameParametersCapacity],
                          char detectionFile[kDetectionFileCapacity]) {
  unsigned short radioState = (unsigned short)ReadSettingInt(RADIOSTATE_SETTING);
  LocalDate today = PlatformReadLocalDate();
  memset(detectionFile, 0, kDetectionFileCapacity);

  if (radioState == kRadioAutomatic) {
    char vendor[kVendorIdCapacity];
    ComposeDetectionFilePath(workingDirectory, today, detectionFile);
    ReadSettingString(VENID_SETTING(detectionFile), vendor);
    if (strcmp(vendor, NVIDIA_VENDOR_ID) == 0) UseOpenGlSwitch(parameters);
  } else if (radioState == kRadioOpenGl) {
    UseOpenGlSwitch(parameters);
  }
}

void RemoveDetectionFile(const char detectionFile[kDetectionFileCapacity]) {
  if (detectionFile[0] != '\0') PlatformDeleteFile(detectionFile);
}
