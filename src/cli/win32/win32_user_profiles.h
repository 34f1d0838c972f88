#pragma once
// The local user profiles of this Windows: listed in the registry's
// profile list, each hive under HKEY_USERS\<SID> while its user is logged
// on, else in the profile folder's NTUSER.DAT, which is loaded under a
// temporary key for the run and unloaded when the run is done with it.

#include "cli/user_profiles.h"
#include "platform/system_api.h"

namespace varnox::cli {

class Win32UserProfiles final : public UserProfiles {
 public:
  Win32UserProfiles(RegistryApi& machine, SystemApi& system) : machine_(machine), system_(system) {}

  std::unique_ptr<ProfileHive> Open(const std::string& nameOrSid) override;
  std::unique_ptr<ProfileHive> OpenDefaultUser() override;
  std::vector<std::string> UserSids() override;
  bool RunsAsSystem() override;
  std::string CurrentUser() override;

 private:
  std::unique_ptr<ProfileHive> LoadHive(const std::string& folder, const std::string& whose);

  RegistryApi& machine_;
  SystemApi& system_;
};

}  // namespace varnox::cli
