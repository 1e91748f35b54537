#include "display/registry_record.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "platform/platform.h"

#define REPORT_FORMAT " ROOT = %u\n SUBKEY = %s \n VALUENAMEX = %s \n VALUENAMEY = %s \n VALUETYPE = %u"

/* The format's own characters (its placeholders counted too, so a little to spare), two codes of at most
 * five digits and the three texts at their full capacities. */
enum {
  kReportCapacity = sizeof REPORT_FORMAT + 2 * 5 + (kSubkeyCapacity - 1) + 2 * (kValueNameCapacity - 1),
};

/* "%d" of any 32-bit number and its terminating zero: "-2147483648" takes 12 bytes. */
enum { kDecimalValueCapacity = 12, kDecimalValueLength = 10 };

bool ReadRegistryTarget(RegistryTarget *target) {
  memset(target, 0, sizeof *target);
  ReadSettingString(SUBKEY_SETTING, target->subkey);
  target->rootCode = (RootCode)ReadSettingInt(ROOT_SETTING);
  ReadSettingString(VALUENAMEX_SETTING, target->valueNameX);
  ReadSettingString(VALUENAMEY_SETTING, target->valueNameY);
  target->valueTypeCode = (ValueTypeCode)ReadSettingInt(VALUETYPE_SETTING);

  return target->subkey[0] != '\0' && target->valueNameX[0] != '\0' && target->valueNameY[0] != '\0' &&
         target->rootCode != kRootNotSet && target->valueTypeCode != kValueTypeNotSet;
}

static void WriteDwordValue(RegistryKey key, const char *name, int number) {
  uint32_t bits = (uint32_t)number;
  unsigned char data[4] = {(unsigned char)bits, (unsigned char)(bits >> 8), (unsigned char)(bits >> 16),
                           (unsigned char)(bits >> 24)};
  PlatformSetRegistryValue(key, name, kRegistryDword, data, sizeof data);
}

/* The decimal text zero-filled to 10 bytes. A text of 10 or 11 characters would not fit that with its
 * terminating zero; it is stored whole with one zero after it rather than cut to a wrong number. */
static void WriteDecimalValue(RegistryKey key, const char *name, int number) {
  char text[kDecimalValueCapacity];
  memset(text, 0, sizeof text);
  snprintf(text, sizeof text, "%d", number);
  size_t length = strlen(text) < kDecimalValueLength ? kDecimalValueLength : strlen(text) + 1;
  PlatformSetRegistryValue(key, name, kRegistryString, (const unsigned char *)text, length);
}

void WriteResolutionRecord(const RegistryTarget *target, Resolution resolution) {
  if (target->rootCode != kRootLocalMachine && target->rootCode != kRootCurrentUser) return;
  RegistryKey key = PlatformCreateRegistryKey(
      target->rootCode == kRootLocalMachine ? kRegistryLocalMachine : kRegistryCurrentUser, target->subkey);
  if (target->valueTypeCode == kValueTypeDword) {
    WriteDwordValue(key, target->valueNameX, resolution.width);
    WriteDwordValue(key, target->valueNameY, resolution.height);
  } else if (target->valueTypeCode == kValueTypeDecimalText) {
    WriteDecimalValue(key, target->valueNameX, resolution.width);
    WriteDecimalValue(key, target->valueNameY, resolution.height);
  }
}

void ShowConfigurationReport(const RegistryTarget *target) {
  char text[kReportCapacity];
  memset(text, 0, sizeof text);
  snprintf(text, sizeof text, REPORT_FORMAT, (unsigned)target->rootCode, target->subkey, target->valueNameX,
           target->valueNameY, (unsigned)target->valueTypeCode);
  PlatformShowMessage(text);
}
