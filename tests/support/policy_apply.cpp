#include "policy_apply.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "settings/policy_file.h"

namespace varnox::test {

namespace {

std::vector<std::uint8_t> AnsiData(const PolicyRecord& record, const AnsiCodec& codec) {
  if (!TextType(record.type)) return {record.data.begin(), record.data.end()};
  const std::string text = codec.fromUtf8(Utf16ToUtf8(record.data));
  return {text.begin(), text.end()};
}

}  // namespace

void ApplyPolicyFile(RegistryApi& registry, RegKey root, std::span<const std::uint8_t> bytes, const AnsiCodec& codec) {
  const auto records = ParsePolicyFile(bytes);
  if (!records) throw std::runtime_error("not a registry policy file");
  for (const PolicyRecord& record : *records) {
    RegKey key = 0;
    if (registry.CreateKey(root, codec.fromUtf8(record.key), kKeyAllAccess, &key) != kErrorSuccess) {
      throw std::runtime_error("cannot create " + record.key);
    }
    const std::string& name = record.valueName;
    long result = kErrorSuccess;
    if (name.rfind(kPolicyDeletePrefix, 0) == 0) {
      result = registry.DeleteValue(key, codec.fromUtf8(name.substr(kPolicyDeletePrefix.size())));
      if (result == kErrorFileNotFound) result = kErrorSuccess;
    } else if (name.rfind("**", 0) == 0) {
      result = -1;
    } else {
      const std::vector<std::uint8_t> data = AnsiData(record, codec);
      result = registry.SetValue(key, codec.fromUtf8(name), record.type, data.data(),
                                 static_cast<std::uint32_t>(data.size()));
    }
    registry.CloseKey(key);
    if (result != kErrorSuccess) throw std::runtime_error("cannot apply " + record.key + "\\" + name);
  }
}

}  // namespace varnox::test
