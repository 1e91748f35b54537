/* The resolution's record in the registry, under the key and value names of the REGSET section, and the
 * configuration report shown when that section is incomplete. */
#ifndef LAUNCHER_DISPLAY_REGISTRY_RECORD_H
#define LAUNCHER_DISPLAY_REGISTRY_RECORD_H

#include <stdbool.h>

#include "display/resolution.h"
#include "settings/settings.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ROOT and VALUETYPE count by their low 16 bits only: 65537 acts as 1, 65536 as 0 (not set). */
typedef unsigned short RootCode;
typedef unsigned short ValueTypeCode;

enum { kRootNotSet = 0, kRootLocalMachine = 1, kRootCurrentUser = 2 };
enum { kValueTypeNotSet = 0, kValueTypeDword = 1, kValueTypeDecimalText = 2 };

typedef struct RegistryTarget {
  RootCode rootCode;
  char subkey[kSubkeyCapacity];
  char valueNameX[kValueNameCapacity];
  char valueNameY[kValueNameCapacity];
  ValueTypeCode valueTypeCode;
} RegistryTarget;

/* Reads the REGSET section; true when the target is complete enough to be written. */
bool ReadRegistryTarget(RegistryTarget *target);

/* Opens (and creates) the key and writes width and height as REG_DWORD or decimal REG_SZ. An unknown root
 * writes nothing; an unknown value type leaves the key opened but empty. */
void WriteResolutionRecord(const RegistryTarget *target, Resolution resolution);

/* The message box that lists the REGSET values as read; returns when the user dismisses it. */
void ShowConfigurationReport(const RegistryTarget *target);

#ifdef __cplusplus
}
#endif

#endif
