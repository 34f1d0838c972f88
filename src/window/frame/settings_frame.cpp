#include "window/frame/settings_frame.h"

#include <algorithm>
#include <exception>

#include "settings/dry_run_registry.h"
#include "settings/key_reuse_registry.h"

#include "toolkit/control.h"

namespace varnox {

SettingsReg::Scope::Scope(SettingsReg& slot, RegKey root) : slot_(slot) {
  slot_.current_.reset();
  slot_.current_ = std::make_unique<TRegistry>(*slot_.api_);
  slot_.current_->SetRoot(root);
}

SettingsReg::Scope::~Scope() { slot_.current_.reset(); }

void SettingsFrame::AddLoadSection(LoadSection section) { sections_.push_back(std::move(section)); }

void SettingsFrame::AddSaveGroup(SaveGroup group) {
  // Kept in the order OK writes them, whatever order the pages register in.
  auto at = std::upper_bound(groups_.begin(), groups_.end(), group.group,
                             [](SettingGroup g, const SaveGroup& other) { return g < other.group; });
  groups_.insert(at, std::move(group));
}

void SettingsFrame::Load() {
  loadedSections_ = 0;
  readOnlySections_.clear();
  const auto tell = [this](const std::string& name) {
    if (sectionObserver_) sectionObserver_(name);
  };
  // Each key opens once for the whole load, however many sections read it:
  // under Wine every opening and closing is a trip to the registry server.
  KeyReuseRegistry sharedKeys(settingsReg_.Api());
  SettingsReg::Redirect redirect(settingsReg_, sharedKeys);
  for (LoadSection& section : sections_) {
    try {
      tell(section.name);
      SettingsReg::Scope accessor(settingsReg_, section.root);
      accessor->SetReadOnlyFallback(true);
      section.load(*accessor);
      if (accessor->FullAccessRefused()) {
        for (Control* control : section.controls) control->SetEnabled(false);
        readOnlySections_.push_back(section.name);
      }
    } catch (...) {
      for (auto it = sections_.begin() + static_cast<std::ptrdiff_t>(loadedSections_); it != sections_.end(); ++it) {
        for (Control* control : it->controls) control->SetEnabled(false);
      }
      tell({});
      throw;
    }
    ++loadedSections_;
  }
  tell({});
}

void SettingsFrame::Save(const ModifiedFlags& flags, RegistryApi& api) { Save(&flags, api); }

std::vector<SettingsFrame::GroupWrites> SettingsFrame::WritesOfEachGroup(RegistryApi& api) {
  std::vector<GroupWrites> writes;
  for (SaveGroup& group : groups_) {
    DryRunRegistry dryRun(api);
    writes.push_back({group.group, {}});
    if (group.ready && !group.ready()) continue;
    try {
      SettingsReg::Redirect redirect(settingsReg_, dryRun);
      SettingsReg::Scope accessor(settingsReg_, group.root);
      group.save(*accessor);
      writes.back().edits = dryRun.Edits();
    } catch (const std::exception& error) {
      writes.back().edits = {RegistryEdit{.name = error.what()}};
    }
  }
  return writes;
}

std::vector<RegistryEdit> SettingsFrame::PendingWrites(const ModifiedFlags& flags, RegistryApi& api) {
  DryRunRegistry dryRun(api);
  try {
    Save(flags, dryRun);
  } catch (...) {
    // The save itself will meet the error; what comes before it stands.
  }
  return dryRun.Edits();
}

void SettingsFrame::SaveEveryGroup(RegistryApi& api) { Save(nullptr, api); }

void SettingsFrame::Save(const ModifiedFlags* flags, RegistryApi& api) {
  SettingsReg::Redirect redirect(settingsReg_, api);
  for (SaveGroup& group : groups_) {
    if (flags != nullptr && !flags->Raised(group.group)) continue;
    if (flags != nullptr && group.ready && !group.ready()) continue;
    SettingsReg::Scope accessor(settingsReg_, group.root);
    group.save(*accessor);
  }
}

}  // namespace varnox
