#pragma once
// The registry contract: one set of cases that any RegistryApi must pass.
// It runs natively against the in-memory registry and under Wine against
// the real one, so the in-memory registry cannot drift from Windows.
//
// Each case works in its own scratch key, HKCU\Software\VarnoxContract\<case>,
// made fresh in SetUp and removed in TearDown.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace varnox {

struct RegistryContractTarget {
  std::string name;
  // Called once per case.
  std::function<std::shared_ptr<RegistryApi>()> make;
  // Removes a key with everything below it. RegistryApi cannot delete keys,
  // so each target brings its own way; a target that makes a fresh registry
  // per case may leave this empty.
  std::function<void(RegKey root, const std::string& path)> removeTree;
};

inline void PrintTo(const RegistryContractTarget& target, std::ostream* out) { *out << target.name; }

inline std::string RegistryContractName(const ::testing::TestParamInfo<RegistryContractTarget>& info) {
  return info.param.name;
}

class RegistryContract : public ::testing::TestWithParam<RegistryContractTarget> {
 protected:
  void SetUp() override;
  void TearDown() override;

  RegistryApi& Api() { return *api_; }
  // Opens or creates a key below the scratch key; the handle is closed after
  // the case unless the case closes it itself through Close.
  long Open(const std::string& path, std::uint32_t access, RegKey* key);
  long Create(const std::string& path, std::uint32_t access, RegKey* key);
  long Close(RegKey key);
  long Set(RegKey key, const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data);
  long Set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
    return Set(scratch_, name, type, data);
  }

  std::shared_ptr<RegistryApi> api_;
  std::string scratchPath_;  // below HKCU
  RegKey scratch_ = 0;       // open with full access for the whole case
  std::vector<RegKey> opened_;
};

}  // namespace varnox
