// A save of every group on each version's fixture, with the registry
// refusing one write or delete: every position in the save in turn. The
// groups are taken from the window's own frame, so a page added later is
// covered without changes here.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fixture_window.h"
#include "load_scenario.h"

namespace varnox::test {
namespace {

using Dump = RegistryDump;

std::string Folded(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

// The entry of `id` whatever case its key path was spelled in.
const StoredValue* Entry(const Dump& dump, const std::string& id) {
  for (const auto& [key, value] : dump) {
    if (Folded(key) == Folded(id)) return &value;
  }
  return nullptr;
}

bool SameEntry(const Dump& a, const Dump& b, const std::string& id) {
  const StoredValue* x = Entry(a, id);
  const StoredValue* y = Entry(b, id);
  return (x == nullptr && y == nullptr) || (x != nullptr && y != nullptr && *x == *y);
}

enum class Before { AsLoaded, GreyBoxes };

struct Write {
  std::string op;  // "SetValue" or "DeleteValue"
  std::string id;  // "HKLM\path\name"
  std::string name;
};

// The window on the fixture with every group marked; with GreyBoxes the user
// first turns each box that can be grey to grey, so that the save deletes
// the values those boxes stand for.
std::unique_ptr<FixtureWindow> MarkedWindow(const VersionFixture& version, Before before) {
  auto window = std::make_unique<FixtureWindow>(version);
  TConfForm& form = *window->form;
  if (before == Before::GreyBoxes) {
    for (Control* control : fuzz::SectionControls(form)) {
      auto* box = dynamic_cast<TCheckBox*>(control);
      if (box == nullptr || !box->AllowGrayed()) continue;
      for (int click = 0; click < 3 && box->State() != cbGrayed; ++click) box->UserClick();
    }
  }
  for (std::size_t g = 0; g < kSettingGroupCount; ++g) form.MarkModified(static_cast<SettingGroup>(g));
  return window;
}

std::vector<Write> Writes(const MemoryRegistry& registry) {
  std::vector<Write> writes;
  for (const RegistryCall& call : registry.Calls()) {
    if (call.op == "SetValue" || call.op == "DeleteValue") {
      writes.push_back({call.op, call.keyPath + "\\" + call.valueName, call.valueName});
    }
  }
  return writes;
}

class SaveFault : public ::testing::TestWithParam<std::tuple<VersionFixture, Before>> {};

TEST_P(SaveFault, EachRefusedWriteStopsTheSaveThereAndEachRefusedDeleteIsPassedOver) {
  const auto& [version, before] = GetParam();
  // The save as it goes without a fault: its writes in order, and the result.
  const std::unique_ptr<FixtureWindow> clean = MarkedWindow(version, before);
  ASSERT_TRUE(clean->services.errors.empty()) << clean->services.errors.front();
  clean->PressOk();
  ASSERT_TRUE(clean->services.errors.empty()) << clean->services.errors.front();
  const std::vector<Write> writes = Writes(clean->registry);
  const Dump saved = clean->registry.Dump();
  ASSERT_FALSE(writes.empty());
  if (before == Before::GreyBoxes) {
    ASSERT_TRUE(std::any_of(writes.begin(), writes.end(), [](const Write& w) { return w.op == "DeleteValue"; }));
  }

  for (std::size_t k = 0; k < writes.size(); ++k) {
    SCOPED_TRACE("refused: " + writes[k].op + " " + writes[k].id);
    const std::unique_ptr<FixtureWindow> window = MarkedWindow(version, before);
    window->registry.FailNthWrite(k + 1, kErrorAccessDenied);
    window->PressOk();

    EXPECT_EQ(window->form->ModalResult(), mrOk);
    EXPECT_EQ(window->registry.OpenHandleCount(), 0u);
    // A refused write ends the save with its message; a refused delete only
    // leaves its value, and the save goes on.
    const bool refusedWrite = writes[k].op == "SetValue";
    if (refusedWrite) {
      EXPECT_EQ(window->services.errors, std::vector<std::string>{"Failed to set data for '" + writes[k].name + "'"});
    } else {
      EXPECT_TRUE(window->services.errors.empty());
    }
    std::set<std::string> done, undone;
    for (std::size_t w = 0; w < writes.size(); ++w) {
      const bool happened = w < k || (!refusedWrite && w > k);
      (happened ? done : undone).insert(Folded(writes[w].id));
    }
    const Dump now = window->registry.Dump();
    for (const std::string& id : done) {
      if (undone.count(id) == 0) {
        EXPECT_TRUE(SameEntry(now, saved, id)) << "not written: " << id;
      }
    }
    for (const std::string& id : undone) {
      if (done.count(id) == 0) {
        EXPECT_TRUE(SameEntry(now, window->original, id)) << "touched: " << id;
      }
    }
    // Nothing outside the save's own values moved, and nothing else was made.
    for (const auto& [id, value] : window->original) {
      if (done.count(Folded(id)) == 0 && undone.count(Folded(id)) == 0) {
        EXPECT_TRUE(SameEntry(now, window->original, id)) << "changed: " << id;
      }
    }
    for (const auto& [id, value] : now) {
      EXPECT_TRUE(done.count(Folded(id)) > 0 || Entry(window->original, id) != nullptr) << "made: " << id;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, SaveFault,
                         ::testing::Combine(::testing::ValuesIn(VersionFixtures()),
                                            ::testing::Values(Before::AsLoaded, Before::GreyBoxes)),
                         [](const auto& info) {
                           return FixtureName(std::get<0>(info.param)) +
                                  (std::get<1>(info.param) == Before::AsLoaded ? "AsLoaded" : "GreyBoxes");
                         });

}  // namespace
}  // namespace varnox::test
