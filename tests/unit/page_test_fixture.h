#pragma once
// A configuration window on the in-memory registry and a scripted system,
// as the settings-page tests use it: build, open (FormCreate), act as the
// user, press OK, then look at the registry.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "memory_registry.h"
#include "recording_services.h"
#include "scripted_system.h"
#include "toolkit/toolkit.h"
#include "window/form/conf_form.h"

namespace varnox::test {

class PageTest : public ::testing::Test {
 protected:
  // Builds and opens the window on `system`, for the user of `shownUserSid`
  // when that is given.
  void Open(ScriptedSystem system, const std::string& shownUserSid = {}) {
    system_ = std::make_unique<ScriptedSystem>(std::move(system));
    platform_ = std::make_unique<Platform>(Platform{registry, *system_});
    form_ = std::make_unique<TConfForm>(*platform_, services);
    form_->FShownUserSid = shownUserSid;
    form_->FormCreate();
  }
  // Opens a new window after forgetting the errors the last one reported.
  void Reopen(ScriptedSystem system) {
    services.errors.clear();
    Open(std::move(system));
  }

  TConfForm& form() { return *form_; }
  template <class T>
  T& Find(const std::string& name) {
    return form_->Find<T>(name);
  }
  TCheckBox& Box(const std::string& name) { return Find<TCheckBox>(name); }
  bool OkEnabled() { return Find<Control>("ApplyBtn").Enabled(); }

  // Presses OK as the user does: the button's result first, then its handler.
  void PressOk() {
    registry.ClearCalls();
    Find<TButton>("ApplyBtn").UserClick();
  }
  // The writes and deletes the registry saw since the last PressOk.
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const RegistryCall& call : registry.Calls()) {
      if (call.op == "SetValue" || call.op == "DeleteValue") writes.push_back(call.op + " " + call.valueName);
    }
    return writes;
  }

  MemoryRegistry registry;
  RecordingServices services;

 private:
  std::unique_ptr<ScriptedSystem> system_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<TConfForm> form_;
};

}  // namespace varnox::test
