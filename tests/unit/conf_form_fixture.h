#pragma once
// The configuration window on a scripted system and the in-memory registry,
// with services that record what the window asked of the screen. Resets the
// library-wide state (hint times, load locale) around every test.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "scripted_system.h"
#include "toolkit/toolkit.h"
#include "window/form/conf_form.h"
#include "window/texts/load_locale.h"

namespace varnox::conf_form_test {

class RecordedServices : public WindowServices {
 public:
  void RepaintNow() override { ++repaints; }
  void ProcessMessages() override {
    ++messagePasses;
    if (duringMessages) duringMessages();
  }
  void CursorPos(int& x, int& y) override {
    x = cursorX;
    y = cursorY;
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void ShowMessage(const std::string& message) override { messages.push_back(message); }
  bool Confirm(const std::string& question) override {
    questions.push_back(question);
    return confirms;
  }
  std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override { return saveAs; }
  std::optional<std::string> AskOpenFileName(const std::string&) override { return open; }
  std::optional<std::string> AskFolder(const std::string&) override { return std::nullopt; }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool confirms = true;
  int repaints = 0;
  int messagePasses = 0;
  int cursorX = 0;
  int cursorY = 0;
  std::vector<std::string> errors;
  std::optional<std::string> saveAs;
  std::optional<std::string> open;
  // Runs inside each message pass: what other messages would do meanwhile.
  std::function<void()> duringMessages;
};

class ConfFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationHints().Reset();
    RecordLibraryLoadLocale(0x409);
  }
  void TearDown() override {
    form_.reset();
    ApplicationHints().Reset();
    RecordLibraryLoadLocale(0);
  }

  // Builds the window on `preset`; the test may add controls, sections or
  // registry values before it calls FormCreate.
  TConfForm& Build(ScriptedSystem preset) {
    system = std::move(preset);
    form_ = std::make_unique<TConfForm>(platform, services);
    return *form_;
  }
  TConfForm& Open(ScriptedSystem preset) {
    Build(std::move(preset)).FormCreate();
    return *form_;
  }

  TConfForm& form() { return *form_; }
  template <class T = Control>
  T& Find(const std::string& name) {
    return form_->Find<T>(name);
  }
  const std::string& Caption(const std::string& name) { return Find(name).Caption(); }
  bool OkEnabled() { return Find("ApplyBtn").Enabled(); }

  ScriptedSystem system;
  MemoryRegistry registry;
  RecordedServices services;
  Platform platform{registry, system};

 private:
  std::unique_ptr<TConfForm> form_;
};

}  // namespace varnox::conf_form_test
