#pragma once
// The frame of loading and saving: the pages register their load sections
// (in page order) and their save groups; the frame runs them in order, each
// with a fresh accessor in the window's SettingsReg slot that is freed when
// the section or group ends, also by an error.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry_api.h"
#include "settings/registry.h"
#include "settings/registry_edit.h"
#include "window/frame/setting_group.h"

namespace varnox {

class Control;

// The accessor in use by one section, group or button click. Making a new
// one frees the previous; the scope frees it on the way out.
class SettingsReg {
 public:
  explicit SettingsReg(RegistryApi& api) : api_(&api) {}

  // Points the accessors made meanwhile at another registry (a recorder
  // in front of the real one).
  class Redirect {
   public:
    Redirect(SettingsReg& slot, RegistryApi& api) : slot_(slot), previous_(slot.api_) { slot_.api_ = &api; }
    ~Redirect() { slot_.api_ = previous_; }
    Redirect(const Redirect&) = delete;
    Redirect& operator=(const Redirect&) = delete;

   private:
    SettingsReg& slot_;
    RegistryApi* previous_;
  };

  class Scope {
   public:
    Scope(SettingsReg& slot, RegKey root);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    TRegistry& operator*() const { return *slot_.current_; }
    TRegistry* operator->() const { return slot_.current_.get(); }

   private:
    SettingsReg& slot_;
  };

  // The accessor of the running section, or nullptr between sections.
  TRegistry* Current() const { return current_.get(); }
  RegistryApi& Api() const { return *api_; }

 private:
  RegistryApi* api_;
  std::unique_ptr<TRegistry> current_;
};

// One load section: reads one key (or a few) into a page's controls.
struct LoadSection {
  std::string name;  // e.g. "Logon key", for diagnostics and tests
  RegKey root;       // the root its accessor starts with
  std::function<void(TRegistry&)> load;
  std::vector<Control*> controls;  // what it fills: disabled when it never loaded
};

// One save group: writes the values its flag marks.
struct SaveGroup {
  SettingGroup group;
  RegKey root;
  std::function<void(TRegistry&)> save;
  // An extra condition besides the raised flag (a tied edit enabled, an OS
  // gate); empty means none.
  std::function<bool()> ready;
};

class SettingsFrame {
 public:
  explicit SettingsFrame(RegistryApi& api) : settingsReg_(api) {}

  void AddLoadSection(LoadSection section);
  void AddSaveGroup(SaveGroup group);
  // Told each section's name as it starts and an empty name when the load
  // ends, by an error too: a profiler can tell where an opening's time goes.
  void SetSectionObserver(std::function<void(const std::string&)> observer) { sectionObserver_ = std::move(observer); }

  // Runs every load section in order. A key that refuses full access to
  // this account is read all the same; the section's controls are then
  // disabled once it is loaded, since OK could not write them. When a
  // section raises, its accessor is freed, the controls of it and of every
  // later section are disabled (they show design states that were never
  // read, which OK must not write), and the error goes on to the caller.
  void Load();
  // Writes every group whose flag is raised, in group order; the first
  // failing write ends the save and goes on to the caller.
  void Save(const ModifiedFlags& flags) { Save(flags, settingsReg_.Api()); }
  // The same against another registry: a recorder learns from it what OK
  // would write, without a second copy of any rule.
  void Save(const ModifiedFlags& flags, RegistryApi& api);
  // What Save(flags) would write now against `api`, in order; nothing is
  // written. A failing group ends the record where the save would stop.
  std::vector<RegistryEdit> PendingWrites(const ModifiedFlags& flags, RegistryApi& api);
  // Every group against `api`, its flag and its extra condition aside: what
  // the groups may ever ask about, set or delete (`api` records, say).
  void SaveEveryGroup(RegistryApi& api);

  // What each group, its flag aside, would write now against `api`, in
  // group order: what OK would write for it were its flag raised. A group
  // whose save fails gives one comment edit with the error's text.
  struct GroupWrites {
    SettingGroup group;
    std::vector<RegistryEdit> edits;
  };
  std::vector<GroupWrites> WritesOfEachGroup(RegistryApi& api);

  // How many sections finished loading (all of them after a clean load).
  std::size_t LoadedSections() const { return loadedSections_; }
  const std::vector<LoadSection>& Sections() const { return sections_; }
  // The sections of the last load that found a key they may read but not
  // change, by name.
  const std::vector<std::string>& ReadOnlySections() const { return readOnlySections_; }
  SettingsReg& Slot() { return settingsReg_; }

 private:
  SettingsReg settingsReg_;
  std::vector<LoadSection> sections_;
  std::vector<SaveGroup> groups_;
  void Save(const ModifiedFlags* flags, RegistryApi& api);

  std::size_t loadedSections_ = 0;
  std::vector<std::string> readOnlySections_;
  std::function<void(const std::string&)> sectionObserver_;
};

}  // namespace varnox
