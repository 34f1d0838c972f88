#pragma once
// One configuration window opened on a version's registry fixture, with its
// own in-memory registry, for tests that open many windows in a row.

#include <map>
#include <memory>
#include <string>

#include <stdexcept>
#include <string_view>

#include "load_scenario.h"
#include "page_test_fixture.h"
#include "reg_file_loader.h"
#include "version_fixtures.h"

namespace varnox::test {

using RegistryDump = std::map<std::string, StoredValue>;

struct FixtureWindow {
  // Seeds the registry from the fixture; `beforeOpen` may change it (deny
  // rights, say) before the window is built and opened.
  template <class BeforeOpen>
  FixtureWindow(const VersionFixture& version, BeforeOpen beforeOpen) : system(version.system()) {
    LoadRegFile(registry, FixturePath(version.fixture));
    original = registry.Dump();
    beforeOpen(registry);
    form = std::make_unique<TConfForm>(platform, services);
    form->FormCreate();
  }
  explicit FixtureWindow(const VersionFixture& version) : FixtureWindow(version, [](MemoryRegistry&) {}) {}

  void PressOk() {
    registry.ClearCalls();
    form->Find<TButton>("ApplyBtn").UserClick();
  }

  MemoryRegistry registry;
  ScriptedSystem system;
  RecordingServices services;
  Platform platform{registry, system};
  std::unique_ptr<TConfForm> form;
  RegistryDump original;  // as seeded from the fixture
};

// The fixture of one version by its file name ("winxp.reg").
inline const VersionFixture& Fixture(std::string_view file) {
  for (const VersionFixture& version : VersionFixtures()) {
    if (version.fixture == file) return version;
  }
  throw std::runtime_error(std::string(file));
}

// The user acts once on every control of every section.
inline void ActOnEveryPage(FixtureWindow& window) {
  for (const LoadSection& section : window.form->Frame().Sections()) {
    for (Control* control : section.controls) fuzz::ActAsUser(*control, 1);
  }
}

// A name for a parameterised test, from the fixture's file name.
inline std::string FixtureName(const VersionFixture& version) {
  const std::string file = version.fixture;
  return file.substr(0, file.find('.'));
}

}  // namespace varnox::test
