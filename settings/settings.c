#include "settings/settings.h"

#include <string.h>

#include "platform/platform.h"

int ReadSettingInt(const char *file, const char *section, const char *key, int fallback) {
  return PlatformReadProfileInt(file, section, key, fallback);
}

void ReadSettingString(const char *file, const char *section, const char *key, unsigned long capacity,
                       char *field) {
  memset(field, 0, capacity);
  PlatformReadProfileString(file, section, key, field, capacity);
  field[capacity - 1] = '\0';
}
