// The record's effects: the registry values written, or the configuration report shown.
#include "display/registry_record.h"

#include "platform/platform.h"

namespace launcher {
namespace {

void WriteValue(RegistryKey key, const Text<kValueNameCapacity> &name, RegistryValueType type,
                const RecordValue &value) {
  PlatformSetRegistryValue(key, CString(name), type, value.data.data(), value.length);
}

}  // namespace

void WriteResolutionRecord(const RegistryTarget &target, Resolution resolution) {
  const ResolutionRecord record = PlanResolutionRecord(target, resolution);
  if (!record.opensKey) return;
  RegistryKey key = PlatformCreateRegistryKey(record.root, CString(target.subkey));
  if (!record.writesValues) return;
  WriteValue(key, target.valueNameX, record.type, record.width);
  WriteValue(key, target.valueNameY, record.type, record.height);
}

void ShowConfigurationReport(const RegistryTarget &target) {
  PlatformShowMessage(CString(ComposeConfigurationReport(target)));
}

}  // namespace launcher
