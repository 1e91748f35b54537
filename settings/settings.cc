#include "settings/settings.h"

#include "platform/platform.h"

namespace launcher {

int ReadSettingInt(const IntegerSetting &setting) {
  return PlatformReadProfileInt(setting.file, setting.section, setting.key, setting.fallback);
}

}  // namespace launcher
