// The base of the registry wrappers: what a caller gets through it, and what
// reaches the registry below, must be exactly what it would be without it,
// except for the calls a wrapper overrides.

#include "settings/forwarding_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "memory_registry.h"

namespace varnox {
namespace {

// Every one of the seven calls, with failing cases, and what the caller got
// back: results, handles, and what the out-parameters were filled with.
std::vector<std::string> Exercise(RegistryApi& registry) {
  std::vector<std::string> seen;
  const auto note = [&seen](const std::string& what, long result) {
    seen.push_back(what + " -> " + std::to_string(result));
  };
  RegKey key = 0;
  long result = registry.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Probe", kKeyAllAccess, &key);
  note("CreateKey " + std::to_string(key), result);
  const std::uint8_t number[] = {7, 0, 0, 0};
  note("SetValue Number", registry.SetValue(key, "Number", kRegDword, number, sizeof number));
  const std::uint8_t text[] = {'a', 'b', 'c', 0};
  note("SetValue Text", registry.SetValue(key, "Text", kRegSz, text, sizeof text));

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  result = registry.QueryValue(key, "Number", &type, nullptr, &size);
  note("QueryValue Number type " + std::to_string(type) + " size " + std::to_string(size), result);
  std::uint8_t small[2] = {};
  size = sizeof small;
  result = registry.QueryValue(key, "Text", &type, small, &size);
  note("QueryValue Text into 2 bytes, size " + std::to_string(size), result);
  char buffer[8] = {};
  size = sizeof buffer;
  result = registry.QueryValue(key, "Text", &type, reinterpret_cast<std::uint8_t*>(buffer), &size);
  note("QueryValue Text " + std::string(buffer) + " size " + std::to_string(size), result);

  RegKeyInfo info;
  result = registry.QueryInfoKey(key, &info);
  note("QueryInfoKey values " + std::to_string(info.valueCount) + " longest " +
           std::to_string(info.maxValueDataLength) + " written " + std::to_string(info.lastWriteTime),
       result);
  note("DeleteValue Number", registry.DeleteValue(key, "Number"));
  note("DeleteValue Number again", registry.DeleteValue(key, "Number"));
  note("CloseKey", registry.CloseKey(key));

  result = registry.OpenKey(kHkeyLocalMachine, "SOFTWARE\\Probe", kKeyRead, &key);
  note("OpenKey for reading " + std::to_string(key), result);
  note("SetValue on a read handle", registry.SetValue(key, "Denied", kRegDword, number, sizeof number));
  note("CloseKey", registry.CloseKey(key));
  note("CloseKey again", registry.CloseKey(key));
  note("QueryInfoKey on a closed key", registry.QueryInfoKey(key, &info));
  key = 0;
  result = registry.OpenKey(kHkeyLocalMachine, "SOFTWARE\\Missing", kKeyRead, &key);
  note("OpenKey missing " + std::to_string(key), result);
  return seen;
}

// What reached the registry, with every argument it records.
std::vector<std::string> Received(const MemoryRegistry& registry) {
  std::vector<std::string> calls;
  for (const RegistryCall& call : registry.Calls()) {
    calls.push_back(call.op + " " + call.keyPath + " [" + call.valueName + "] access " + std::to_string(call.access) +
                    " type " + std::to_string(call.type) + " -> " + std::to_string(call.result));
  }
  return calls;
}

TEST(ForwardingRegistry, PassesEveryCallAndItsResultOnUnchanged) {
  MemoryRegistry direct;
  const std::vector<std::string> expected = Exercise(direct);

  MemoryRegistry inner;
  ForwardingRegistry forwarding(inner);
  EXPECT_EQ(Exercise(forwarding), expected);
  EXPECT_EQ(Received(inner), Received(direct));
  EXPECT_EQ(inner.Dump(), direct.Dump());
}

// Answers QueryInfoKey itself; everything else is the base's.
class FixedInfoRegistry final : public ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  long QueryInfoKey(RegKey, RegKeyInfo* info) override {
    *info = RegKeyInfo{.valueCount = 99};
    return kErrorMoreData;
  }
};

TEST(ForwardingRegistry, AWrapperChangesOnlyTheCallItOverrides) {
  MemoryRegistry direct;
  const std::vector<std::string> expected = Exercise(direct);
  std::vector<std::string> expectedCalls = Received(direct);

  MemoryRegistry inner;
  FixedInfoRegistry wrapper(inner);
  const std::vector<std::string> seen = Exercise(wrapper);
  const std::vector<std::string> calls = Received(inner);

  // Everything but the overridden call is as without the wrapper.
  const std::string answer = "-> " + std::to_string(kErrorMoreData);
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t i = 0; i < seen.size(); ++i) {
    if (seen[i].starts_with("QueryInfoKey")) {
      EXPECT_TRUE(seen[i].ends_with(answer)) << seen[i];
    } else {
      EXPECT_EQ(seen[i], expected[i]);
    }
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "QueryInfoKey values 99 longest 0 written 0 " + answer), 1);
  std::erase_if(expectedCalls, [](const std::string& call) { return call.starts_with("QueryInfoKey"); });
  EXPECT_EQ(calls, expectedCalls) << "the overridden call does not reach the registry; the others all do";
}

}  // namespace
}  // namespace varnox
