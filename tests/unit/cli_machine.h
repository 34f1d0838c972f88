#pragma once
// The command line run natively over one version's registry fixture, with
// user profiles kept under HKEY_USERS of the same in-memory registry.

#include <memory>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/run.h"
#include "fixture_window.h"
#include "settings/user_hive_registry.h"

namespace varnox::test {

class FakeProfiles final : public cli::UserProfiles {
 public:
  explicit FakeProfiles(MemoryRegistry& registry) : registry_(registry) {}

  std::unique_ptr<cli::ProfileHive> Open(const std::string& sid) override {
    if (!registry_.KeyExists(kHkeyUsers, sid)) throw cli::ProfileError("no profile of " + sid + " on this machine");
    return std::make_unique<Hive>(registry_, sid);
  }
  std::unique_ptr<cli::ProfileHive> OpenDefaultUser() override { return Open(".DEFAULT"); }
  std::vector<std::string> UserSids() override { return sids; }
  bool RunsAsSystem() override { return asSystem; }
  std::string CurrentUser() override { return "the current user (tester)"; }

  std::vector<std::string> sids;
  bool asSystem = false;

 private:
  class Hive final : public cli::ProfileHive {
   public:
    Hive(RegistryApi& registry, const std::string& sid) : registry_(registry, sid), sid_(sid) {}
    std::string Whose() const override { return "user " + sid_; }
    RegistryApi& Registry() override { return registry_; }

   private:
    UserHiveRegistry registry_;
    std::string sid_;
  };
  MemoryRegistry& registry_;
};

struct CliMachine {
  explicit CliMachine(const char* fixture) : system(Fixture(fixture).system()) {
    LoadRegFile(registry, FixturePath(fixture));
  }

  int Run(const std::vector<std::string>& arguments) {
    output = {};
    return cli::RunCli(arguments, environment, output);
  }
  // The last line of standard output.
  std::string LastLine() const {
    std::string out = output.out;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out.substr(out.rfind('\n') == std::string::npos ? 0 : out.rfind('\n') + 1);
  }
  void PutFile(const std::string& path, const std::string& text) {
    system.writtenFiles[path] = std::vector<std::uint8_t>(text.begin(), text.end());
  }
  // A written file's text; UTF-16 (a version 5 .reg file) as its low bytes.
  std::string File(const std::string& path) {
    const auto& bytes = system.writtenFiles[path];
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return std::string(bytes.begin(), bytes.end());
    std::string text;
    for (std::size_t i = 2; i < bytes.size(); i += 2) text += static_cast<char>(bytes[i]);
    return text;
  }
  // A profile under HKEY_USERS with the fixture's own per-user settings.
  void AddProfile(const std::string& sid) {
    for (const auto& [path, value] : registry.Dump()) {
      if (path.rfind("HKCU\\", 0) != 0) continue;
      const std::string key = path.substr(5, path.size() - 5 - value.name.size() - 1);
      registry.SetRaw(kHkeyUsers, sid + "\\" + key, value.name, value.type, value.data);
    }
    profiles.sids.push_back(sid);
  }

  MemoryRegistry registry;
  ScriptedSystem system;
  FakeProfiles profiles{registry};
  Platform platform{registry, system};
  cli::CliEnvironment environment{platform, profiles, "varnox 1.0 (test)"};
  cli::CliOutput output;
};

}  // namespace varnox::test
