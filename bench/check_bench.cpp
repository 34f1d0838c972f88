// `varnox check` against its floor, in one process under Wine: the command
// runs as the program runs it (the window's model over the real registry),
// and the floor makes exactly the registry calls the command made, in the
// same order, with nothing around them. Both run in alternating rounds; the
// medians and their ratio are printed, last `ratio check / read floor: N`.
//
//   check_bench.exe [ROUNDS]   (default 21), on a prefix with a fixture

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/run.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "settings/forwarding_registry.h"

namespace {

using varnox::RegKey;

// One registry call as the command made it.
struct Call {
  enum Kind { Open, Query, Info, Close } kind;
  RegKey root = 0;   // Open: the root or the recorded handle it opened from
  std::string path;  // Open: the path; Query: the value's name
  std::uint32_t access = 0;
  RegKey handle = 0;  // the handle it used or (Open) got
  bool withData = false;
  std::uint32_t size = 0;  // Query: the buffer's size
};

// Notes every call and passes it on; the command only reads.
class RecordingRegistry final : public varnox::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    const long status = ForwardingRegistry::OpenKey(root, path, access, result);
    calls.push_back({Call::Open, root, path, access, status == 0 && result ? *result : 0});
    return status;
  }
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    calls.push_back({Call::Query, 0, name, 0, key, data != nullptr, size ? *size : 0});
    return ForwardingRegistry::QueryValue(key, name, type, data, size);
  }
  long QueryInfoKey(RegKey key, varnox::RegKeyInfo* info) override {
    calls.push_back({Call::Info, 0, {}, 0, key});
    return ForwardingRegistry::QueryInfoKey(key, info);
  }
  long CloseKey(RegKey key) override {
    calls.push_back({Call::Close, 0, {}, 0, key});
    return ForwardingRegistry::CloseKey(key);
  }
  std::vector<Call> calls;
};

class NoProfiles final : public varnox::cli::UserProfiles {
 public:
  std::unique_ptr<varnox::cli::ProfileHive> Open(const std::string&) override { return nullptr; }
  std::unique_ptr<varnox::cli::ProfileHive> OpenDefaultUser() override { return nullptr; }
  std::vector<std::string> UserSids() override { return {}; }
  bool RunsAsSystem() override { return false; }
  std::string CurrentUser() override { return "the current user"; }
};

int RunCommand(varnox::RegistryApi& registry, const std::vector<std::string>& words) {
  varnox::Platform platform{registry, varnox::WindowsSystem()};
  NoProfiles profiles;
  varnox::cli::CliEnvironment environment{platform, profiles, "bench"};
  varnox::cli::CliOutput output;
  return varnox::cli::RunCli(words, environment, output);
}

// The recorded calls made again straight on advapi32, handles mapped.
void Replay(const std::vector<Call>& calls, varnox::RegistryApi& registry) {
  std::map<RegKey, RegKey> handles;
  const auto mapped = [&handles](RegKey key) {
    const auto it = handles.find(key);
    return it == handles.end() ? key : it->second;
  };
  std::vector<std::uint8_t> buffer(1 << 16);
  for (const Call& call : calls) {
    switch (call.kind) {
      case Call::Open: {
        RegKey opened = 0;
        if (registry.OpenKey(mapped(call.root), call.path, call.access, &opened) == 0) handles[call.handle] = opened;
        break;
      }
      case Call::Query: {
        std::uint32_t type = 0;
        std::uint32_t size = std::min<std::uint32_t>(call.size, static_cast<std::uint32_t>(buffer.size()));
        registry.QueryValue(mapped(call.handle), call.path, &type, call.withData ? buffer.data() : nullptr, &size);
        break;
      }
      case Call::Info: {
        varnox::RegKeyInfo info;
        registry.QueryInfoKey(mapped(call.handle), &info);
        break;
      }
      case Call::Close:
        registry.CloseKey(mapped(call.handle));
        handles.erase(call.handle);
        break;
    }
  }
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

template <class Work>
double Milliseconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  varnox::RegistryApi& registry = varnox::SystemRegistry();
  const std::string baseline = "C:\\bench-baseline.reg";
  if (RunCommand(registry, {"backup", baseline}) != varnox::cli::kExitOk) {
    std::printf("the backup could not be written\n");
    return 1;
  }
  // A value that differs, so that check goes the whole way: the file's
  // values shown in the window and what OK would write worked out.
  HKEY desktop = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop);
  RegSetValueExA(desktop, "MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>("123"), 4);
  RegCloseKey(desktop);

  RecordingRegistry recorder(registry);
  const int code = RunCommand(recorder, {"check", baseline});
  std::printf("check exits %d and makes %zu registry calls\n", code, recorder.calls.size());
  if (code != varnox::cli::kExitDrift) return 1;

  std::vector<double> check;
  std::vector<double> floor;
  for (int round = 0; round < rounds; ++round) {
    check.push_back(Milliseconds([&] { RunCommand(registry, {"check", baseline}); }));
    floor.push_back(Milliseconds([&] { Replay(recorder.calls, registry); }));
  }
  const double checkMs = Median(check);
  const double floorMs = Median(floor);
  std::printf("check: %.2f ms, read floor: %.2f ms (medians of %d rounds)\n", checkMs, floorMs, rounds);
  std::printf("ratio check / read floor: %.2f\n", checkMs / floorMs);
  return 0;
}
