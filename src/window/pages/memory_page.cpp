// The Memory management page. Rows for the values that follow the common
// rules; code for the rest: the four optimisation buttons, which stand for
// "Size" together with the large-cache box, the Auto rule of the cache size,
// the I/O page lock limit (NT 4.0 and 2000 only) in kilobytes, the paging
// box that unknown data disables, and the separate-VDM text in any case.

#include "window/pages/memory_page.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "settings/kilobytes.h"
#include "settings/system_keys.h"
#include "sysinfo/setting_support.h"
#include "window/form/conf_form.h"
#include "window/pages/memory_rows.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace memory_rows;

using G = SettingGroup;

constexpr std::array kCommonHandlerRows = {kPagingExecutive, kSeparateVDM};

constexpr std::int32_t kBytesPerKilobyte = 1024;

void SetServerButtonsEnabled(TConfForm& form, bool enabled) {
  SetEnabled(form, {"rbServer1", "rbServer2", "rbServer3", "rbServer4"}, enabled);
}

// The stored byte count in whole kilobytes, a half going to the even
// neighbour; a negative count rounds as its magnitude does.
std::int64_t RoundedKilobytes(std::int32_t bytes) {
  const std::int64_t wide = bytes;
  const auto magnitude = static_cast<std::int64_t>(Kilobytes(static_cast<std::uint64_t>(wide < 0 ? -wide : wide)));
  return wide < 0 ? -magnitude : magnitude;
}

void BindOptimizationHandlers(TConfForm& form) {
  auto& largeCache = form.Find<TCheckBox>("cbLargeCache");
  auto& independ = form.Find<TCheckBox>("cbIndepend");
  for (const ServerChoice& choice : kServerChoices) {
    const bool largeCacheOn = choice.largeCache;
    form.Find<TRadioButton>(choice.button).OnClick = [&form, &largeCache, &independ, largeCacheOn](Component&) {
      if (!independ.Checked()) largeCache.SetChecked(largeCacheOn);
      form.MarkModified(G::ServerOptimization);
    };
  }
  // The load's own changes of the box must not pick an optimisation.
  auto& fileSharing = form.Find<TRadioButton>("rbServer3");
  largeCache.OnClick = [&form, &largeCache, &independ, &fileSharing](Component&) {
    if (!independ.Checked() && fileSharing.Enabled() && form.FLoaded && largeCache.Checked()) {
      fileSharing.SetChecked(true);
    }
    form.MarkModified(G::ServerOptimization);
  };
}

// Auto stands for a size of 0: checking it clears the size, and whatever
// changed, Auto ends up checked exactly when the size is 0.
void BindSecondLevelCacheHandlers(TConfForm& form) {
  auto& autoSize = form.Find<TCheckBox>("rb2CacheAuto");
  auto& spinner = form.Find<TUpDown>("udSecondLevelDataCache");
  auto changed = [&form, &autoSize, &spinner](Component& sender) {
    form.MarkModified(G::L2Cache);
    if (&sender == &autoSize && autoSize.Checked()) spinner.SetPosition(0);
    autoSize.SetChecked(spinner.ShownNumber() == 0);
  };
  autoSize.OnClick = changed;
  form.Find<TEdit>("edSecondLevelCache").OnChange = changed;
}

void BindIoLockHandlers(TConfForm& form) {
  auto& other = form.Find<TRadioButton>("rbIOLockOther");
  for (const IoLockChoice& choice : kIoLockFixedChoices) {
    form.Find<TRadioButton>(choice.button).OnClick = [&form, &other](Component&) {
      SetEnabled(form, {"edIOLockOther", "udIOLockOther"}, false);
      other.SetChecked(false);
      form.MarkModified(G::IoPageLock);
    };
  }
  // Choosing the other size marks nothing yet; moving its spinner does.
  other.OnClick = [&form, &other](Component&) {
    SetEnabled(form, {"edIOLockOther", "udIOLockOther"}, true);
    other.SetChecked(true);
  };
  form.Find<TUpDown>("udIOLockOther").OnChanging = [&form](Component&, bool&) { form.MarkModified(G::IoPageLock); };
}

void BindHandlers(TConfForm& form) {
  BindRowHandlers(form, kCommonHandlerRows);
  BindOptimizationHandlers(form);
  BindSecondLevelCacheHandlers(form);
  BindIoLockHandlers(form);
}

void LoadIoPageLock(TConfForm& form, TRegistry& reg) {
  SetEnabled(form, {"edIOLockOther", "udIOLockOther"}, false);
  if (!HonoursIoPageLockLimit(form.platform().system)) {
    SetEnabled(form, {"rbIOLockDefault", "rbIOLock1024kb", "rbIOLock2048kb", "rbIOLockOther"}, false);
    return;
  }
  const std::int32_t bytes = reg.ReadDword(kIoPageLockLimit);
  for (const IoLockChoice& choice : kIoLockFixedChoices) {
    if (bytes == choice.bytes) {
      form.Find<TRadioButton>(choice.button).SetChecked(true);
      return;
    }
  }
  form.Find<TRadioButton>("rbIOLockOther").SetChecked(true);
  SetEnabled(form, {"edIOLockOther", "udIOLockOther"}, true);
  form.Find<TUpDown>("udIOLockOther").ShowNumber(RoundedKilobytes(bytes));
}

void LoadPagingExecutive(TConfForm& form, TRegistry& reg) {
  auto& box = form.Find<TCheckBox>(kPagingExecutive.control);
  switch (reg.ReadDword(kPagingExecutive.value)) {
    case 0:
      box.SetChecked(false);
      break;
    case 1:
      box.SetChecked(true);
      break;
    default:
      box.SetEnabled(false);  // and it keeps its state, grey after a fresh layout
      break;
  }
}

// The large cache as the memory management key's section read it, so that
// the server key's section can put it back after the buttons' handlers
// without reading the value again.
using StoredLargeCache = std::shared_ptr<std::optional<std::int32_t>>;

void LoadLargeCache(TConfForm& form, TRegistry& reg, const StoredLargeCache& stored) {
  if (!stored->has_value()) *stored = reg.ReadDword(kLargeCache.value);
  auto& box = form.Find<TCheckBox>(kLargeCache.control);
  if (**stored == kLargeCache.checkedNumber) {
    box.SetState(cbChecked);
  } else if (**stored == kLargeCache.uncheckedNumber) {
    box.SetState(cbUnchecked);
  }
}

// The "Memory management key" load section: each value read once.
void LoadMemoryManagementKey(TConfForm& form, TRegistry& reg, const StoredLargeCache& largeCache) {
  // Each load reads it afresh: a file opened into the window loads again.
  largeCache->reset();
  if (!reg.OpenKey(kMemoryManagementKey, false)) {
    SetEnabled(form,
               {"cbLargeCache", "rbIOLockDefault", "rbIOLock1024kb", "rbIOLock2048kb", "rbIOLockOther", "edIOLockOther",
                "udIOLockOther", "rb2CacheAuto"},
               false);
    return;
  }
  LoadLargeCache(form, reg, largeCache);
  // One number for the size and for Auto.
  const std::int32_t secondLevel = reg.ReadDword(kSecondLevelDataCache);
  form.Find<TUpDown>(kSecondLevelCache.control).ShowNumber(secondLevel);
  form.Find<TCheckBox>("rb2CacheAuto").SetChecked(secondLevel == 0);
  LoadIoPageLock(form, reg);
  LoadPagingExecutive(form, reg);
  reg.CloseKey();
}

void SelectServerChoice(TConfForm& form, std::int32_t size) {
  const char* button = nullptr;
  switch (size) {
    case 1:
      button = "rbServer1";
      break;
    case 2:
      button = "rbServer2";
      break;
    case 3:
      button = form.Find<TCheckBox>("cbLargeCache").Checked() ? "rbServer3" : "rbServer4";
      break;
    default:
      return;
  }
  form.Find<TRadioButton>(button).SetChecked(true);
}

// The "Server key" load section: the server's optimisation, then the large
// cache put back under its reopened key, since the buttons' handlers have
// overwritten the box.
void LoadServerKey(TConfForm& form, TRegistry& reg, const StoredLargeCache& largeCache) {
  if (reg.OpenKey(kServerParametersKey, false)) {
    if (reg.ValueExists(kSize)) {
      SelectServerChoice(form, reg.ReadDword(kSize));
    } else {
      SetServerButtonsEnabled(form, false);
    }
    reg.CloseKey();
  } else {
    SetServerButtonsEnabled(form, false);
  }
  if (reg.OpenKey(kMemoryManagementKey, false)) {
    LoadLargeCache(form, reg, largeCache);
  } else {
    form.Find<Control>(kLargeCache.control).SetEnabled(false);
  }
}

// The "WOW key" load section: separate VDMs.
void LoadWowKey(TConfForm& form, TRegistry& reg) {
  auto& box = form.Find<TCheckBox>(kSeparateVDM.control);
  if (!reg.OpenKey(kWowKey, false)) {
    box.SetEnabled(false);
    return;
  }
  box.SetChecked(AsciiLowerCase(reg.ReadText(kSeparateVDM.value)) == "yes");
  reg.CloseKey();
}

void SaveServerOptimization(TConfForm& form, TRegistry& reg) {
  if (reg.OpenKey(kServerParametersKey, false)) {
    bool chosen = false;
    for (const ServerChoice& choice : kServerChoices) {
      if (!form.Find<TRadioButton>(choice.button).Checked()) continue;
      reg.WriteDword(kSize, choice.size);
      chosen = true;
    }
    // A number no button stands for stays as stored.
    if (!chosen) KeepAsStored(reg, kSize);
    reg.CloseKey();
  }
  if (reg.OpenKey(kMemoryManagementKey, false)) {
    WriteRow(form, reg, kLargeCache);
    reg.CloseKey();
  }
}

void SaveSecondLevelCache(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kMemoryManagementKey, false)) return;
  if (form.Find<TCheckBox>("rb2CacheAuto").Checked()) reg.WriteDword(kSecondLevelDataCache, 0);
  WriteRow(form, reg, kSecondLevelCache);
  reg.CloseKey();
}

void SaveIoPageLock(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kMemoryManagementKey, false)) return;
  for (const IoLockChoice& choice : kIoLockFixedChoices) {
    if (form.Find<TRadioButton>(choice.button).Checked()) reg.WriteDword(kIoPageLockLimit, choice.bytes);
  }
  const auto& otherSize = form.Find<TUpDown>("udIOLockOther");
  if (form.Find<TRadioButton>("rbIOLockOther").Checked()) {
    if (LeftAsStored(otherSize)) {
      KeepAsStored(reg, kIoPageLockLimit);
    } else {
      reg.WriteDword(kIoPageLockLimit, otherSize.Position() * kBytesPerKilobyte);
    }
  }
  reg.CloseKey();
}

void SavePagingExecutive(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kMemoryManagementKey, false)) return;
  WriteRow(form, reg, kPagingExecutive);
  reg.CloseKey();
}

void SaveSeparateVDM(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kWowKey, false)) return;
  WriteRow(form, reg, kSeparateVDM);
  reg.CloseKey();
}

}  // namespace

void BuildMemoryPage(TConfForm& form, TTabSheet& sheet) {
  LayOutMemoryPage(form, sheet);
  BindHandlers(form);

  SettingsFrame& frame = form.Frame();
  auto largeCache = std::make_shared<std::optional<std::int32_t>>();
  frame.AddLoadSection(
      {"Memory management key", kHkeyLocalMachine,
       [&form, largeCache](TRegistry& reg) { LoadMemoryManagementKey(form, reg, largeCache); },
       NamedControls(form, {"cbLargeCache", "rb2CacheAuto", "edSecondLevelCache", "udSecondLevelDataCache",
                            "rbIOLockDefault", "rbIOLock1024kb", "rbIOLock2048kb", "rbIOLockOther", "edIOLockOther",
                            "udIOLockOther", "cbDisablePagingExecutive"})});
  frame.AddLoadSection({"Server key", kHkeyLocalMachine,
                        [&form, largeCache](TRegistry& reg) { LoadServerKey(form, reg, largeCache); },
                        NamedControls(form, {"rbServer1", "rbServer2", "rbServer3", "rbServer4", "cbLargeCache"})});
  frame.AddLoadSection({"WOW key", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadWowKey(form, reg); },
                        NamedControls(form, {"cbDefaultSeparateVDM"})});

  auto save = [&form](void (*write)(TConfForm&, TRegistry&)) {
    return [&form, write](TRegistry& reg) { write(form, reg); };
  };
  frame.AddSaveGroup({G::ServerOptimization, kHkeyLocalMachine, save(SaveServerOptimization), {}});
  frame.AddSaveGroup({G::L2Cache, kHkeyLocalMachine, save(SaveSecondLevelCache), {}});
  frame.AddSaveGroup({G::IoPageLock, kHkeyLocalMachine, save(SaveIoPageLock), {}});
  frame.AddSaveGroup({G::PagingExecutive, kHkeyLocalMachine, save(SavePagingExecutive), {}});
  frame.AddSaveGroup({G::SeparateVDM, kHkeyLocalMachine, save(SaveSeparateVDM), {}});
}

}  // namespace varnox
