#pragma once
// Whose per-user settings a command works on. The machine's registry gives
// this account's own; a profile's hive gives another user's, loaded from its
// file when that user is not logged on and unloaded again when the hive
// object goes, on every path.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace varnox::cli {

// A profile that does not exist or cannot be loaded.
class ProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ProfileHive {
 public:
  virtual ~ProfileHive() = default;
  // Whose settings these are: "user NAME (SID)", "the default user".
  virtual std::string Whose() const = 0;
  // HKEY_CURRENT_USER is that user's hive; everything else the machine's.
  virtual RegistryApi& Registry() = 0;
};

class UserProfiles {
 public:
  virtual ~UserProfiles() = default;
  // A local user's profile by name or SID. Throws ProfileError.
  virtual std::unique_ptr<ProfileHive> Open(const std::string& nameOrSid) = 0;
  // The profile new accounts are made from. Throws ProfileError.
  virtual std::unique_ptr<ProfileHive> OpenDefaultUser() = 0;
  // The SIDs of every local user's profile (not the system's own accounts).
  virtual std::vector<std::string> UserSids() = 0;
  // True when this process runs as the local system account, whose own
  // per-user settings are no user's.
  virtual bool RunsAsSystem() = 0;
  // This account, as a sentence's object: "the current user (NAME)".
  virtual std::string CurrentUser() = 0;
};

}  // namespace varnox::cli
