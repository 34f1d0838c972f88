// Each page's part of the table, from the rows, keys and choices of the
// page's own header, which its load and save use. Not part of the library:
// the tools that need the table link it on its own.

#include "window/pages/managed_values.h"

#include <array>
#include <cstddef>

#include "settings/system_keys.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/setting_support.h"
#include "window/pages/explorer_rows.h"
#include "window/pages/ide_rows.h"
#include "window/pages/internet_rows.h"
#include "window/pages/logon_rows.h"
#include "window/pages/memory_rows.h"
#include "window/pages/network_rows.h"
#include "window/pages/other_rows.h"
#include "window/pages/security_rows.h"
#include "window/pages/system_tools_rows.h"

namespace varnox {

ManagedValue RowValue(RegKey root, std::string_view key, const SettingRow& row, std::string_view label) {
  return {.root = root, .key = key, .value = row.value, .control = row.control, .row = &row, .label = label};
}

std::vector<ManagedPage> AllManagedValues() {
  return {LogonPageValues(), MemoryPageValues(),   NetworkPageValues(), InternetPageValues(),   SecurityPageValues(),
          IdePageValues(),   ExplorerPageValues(), OtherPageValues(),   SystemToolsPageValues()};
}

ManagedPage LogonPageValues() {
  using namespace logon_rows;
  const auto logon = [](const SettingRow& row) { return RowValue(kHkeyLocalMachine, kLogonKey, row); };
  ManagedPage page{"Logon",
                   {logon(kLogonEdits[0]), logon(kLogonEdits[1]), logon(kLogonEdits[2]), logon(kEnableAutoLogon),
                    logon(kDontDisplayLastUserName), logon(kDisableCAD)}};
  page.values[2].shared = Shared::Secret;
  // The counter: a cleared box writes the spinner's number, grey deletes it.
  page.values.push_back({.root = kHkeyLocalMachine,
                         .key = kLogonKey,
                         .value = "AutoLogonCount",
                         .control = "udAutoLogonCount",
                         .form = ValueForm::Number,
                         .label = "cbAutoLogonCount",
                         .deletes = true,
                         .honoured = &IsWin2000});
  page.values.push_back(logon(kForceAutoLogon));
  page.values.back().honoured = &IsWin2000;
  page.values.push_back(RowValue(kHkeyLocalMachine, kMemoryManagementKey, kClearPageFile));
  for (const SettingRow* row : {&kPowerDown, &kQuickReboot}) {
    page.values.push_back(RowValue(kHkeyLocalMachine, kWinlogonKey, *row));
    page.values.back().shared = Shared::NT4Only;
  }
  // The spinners' names stand on the labels before them.
  constexpr std::array<std::string_view, kEndTaskRows.size()> kEndTaskLabels = {"Label23", "Label25", ""};
  for (std::size_t i = 0; i < kEndTaskRows.size(); ++i) {
    page.values.push_back(RowValue(kHkeyCurrentUser, kDesktopKey, kEndTaskRows[i], kEndTaskLabels[i]));
  }
  return page;
}

ManagedPage MemoryPageValues() {
  using namespace memory_rows;
  ManagedPage page{"Memory management", {}};
  // The file-sharing and network-application buttons both write 3 (they
  // differ in the large cache, a value of its own): one choice stands for both.
  ManagedValue size{.root = kHkeyLocalMachine,
                    .key = kServerParametersKey,
                    .value = kSize,
                    .control = "rbServer1",
                    .form = ValueForm::Choice,
                    .label = "gbOptimization"};
  for (const ServerChoice& choice : kServerChoices) {
    if (choice.largeCache || choice.size != 3) size.choices.push_back({choice.button, choice.size});
  }
  page.values.push_back(size);
  page.values.push_back(RowValue(kHkeyLocalMachine, kMemoryManagementKey, kLargeCache));
  page.values.push_back(RowValue(kHkeyLocalMachine, kMemoryManagementKey, kSecondLevelCache, "gbSecondLevelDataCache"));
  page.values.back().hint = "rb2CacheAuto";
  ManagedValue ioLock{.root = kHkeyLocalMachine,
                      .key = kMemoryManagementKey,
                      .value = kIoPageLockLimit,
                      .control = "rbIOLockDefault",
                      .form = ValueForm::Choice,
                      .label = "gbIOLock",
                      .hint = "gbIOLock",
                      .honoured = &HonoursIoPageLockLimit};
  for (const IoLockChoice& choice : kIoLockFixedChoices) ioLock.choices.push_back({choice.button, choice.bytes});
  page.values.push_back(ioLock);
  page.values.push_back(RowValue(kHkeyLocalMachine, kMemoryManagementKey, kPagingExecutive));
  page.values.push_back(RowValue(kHkeyLocalMachine, kWowKey, kSeparateVDM));
  return page;
}

ManagedPage NetworkPageValues() {
  using namespace network_rows;
  const auto server = [](const SettingRow& row, std::string_view label = {}) {
    return RowValue(kHkeyLocalMachine, kServerParametersKey, row, label);
  };
  ManagedPage page{"Network",
                   {server(kAutoShareServer), server(kAutoShareWks), server(kDiskAlert, "gbDiskSpace"),
                    RowValue(kHkeyLocalMachine, kWorkstationParametersKey, kCacheFileTimeout, "gbCacheFileTimeOut"),
                    server(kHideServer), server(kServerComment, "lblServerComment")}};
  // The two numbers' buttons delete them.
  page.values[2].deletes = true;
  page.values[3].deletes = true;
  return page;
}

// The page lives on NT 4.0 alone, and each MTU belongs to one adapter.
ManagedPage InternetPageValues() {
  using namespace internet_rows;
  return {"Internet",
          {{.root = kHkeyLocalMachine,
            .key = "",
            .value = "MTU",
            .control = "edMTU",
            .form = ValueForm::Number,
            .shared = Shared::OneMachine},
           {.root = kHkeyLocalMachine,
            .key = kTcpipParametersKey,
            .value = kDefaultTtl,
            .control = "udTTL",
            .form = ValueForm::Number,
            .label = "lblTTLHops",
            .deletes = true,
            .shared = Shared::NT4Only}}};
}

ManagedPage SecurityPageValues() {
  using namespace security_rows;
  ManagedPage page{"Security", {RowValue(kHkeyLocalMachine, kSessionManagerKey, kProtectionMode)}};
  // A checked box writes 1; a cleared one deletes the value.
  page.values.push_back({.root = kHkeyLocalMachine,
                         .key = kSessionManagerKey,
                         .value = kAddProtectionMode,
                         .control = kAddProtection.control,
                         .form = ValueForm::Flag,
                         .deletes = true});
  ManagedValue mode{.root = kHkeyLocalMachine,
                    .key = kWinlogonKey,
                    .value = kSfcDisable,
                    .control = "rbSFC1",
                    .form = ValueForm::Choice,
                    .label = "gbSFCStatus",
                    .honoured = &IsWin2000};
  for (const SfcChoice& choice : kSfcChoices) mode.choices.push_back({choice.button, choice.number});
  page.values.push_back(mode);
  // A cleared box deletes the path; a checked one writes it as expandable text.
  page.values.push_back({.root = kHkeyLocalMachine,
                         .key = kWinlogonKey,
                         .value = kDllCacheDir,
                         .control = "edDllCachePath",
                         .form = ValueForm::Text,
                         .label = "cbDllCachePath",
                         .deletes = true,
                         .expandable = true,
                         .honoured = &HonoursFileCheckerCache});
  // Megabytes, or "Unlimited" as -1: the largest number a policy can hold.
  page.values.push_back({.root = kHkeyLocalMachine,
                         .key = kWinlogonKey,
                         .value = kSfcQuota,
                         .control = "edSFCQuota",
                         .form = ValueForm::Number,
                         .label = "gbSFCQuota",
                         .min = 0,
                         .max = static_cast<std::uint32_t>(kUnlimitedQuota),
                         .honoured = &HonoursFileCheckerCache});
  return page;
}

// Each channel's level belongs to this machine's controller.
ManagedPage IdePageValues() {
  using namespace ide_rows;
  ManagedPage page{"IDE/ATAPI", {}};
  for (std::size_t channel = 0; channel < kChannelKeys.size(); ++channel) {
    page.values.push_back({.root = kHkeyLocalMachine,
                           .key = kChannelKeys[channel],
                           .value = kDriverParameter,
                           .control = kChannelGroups[channel],
                           .form = ValueForm::Text,
                           .shared = Shared::OneMachine});
  }
  return page;
}

ManagedPage ExplorerPageValues() {
  using namespace explorer_rows;
  ManagedPage page{"Explorer", {}};
  for (const SettingRow& row : kPolicies) page.values.push_back(RowValue(kHkeyCurrentUser, kPoliciesKey, row));
  page.values.push_back(RowValue(kHkeyCurrentUser, kWindowMetricsKey, kMinAnimate));
  page.values.push_back(RowValue(kHkeyCurrentUser, kSoundKey, kBeep));
  // A number after NT 4.0 (binary before).
  page.values.push_back({.root = kHkeyCurrentUser,
                         .key = kDesktopKey,
                         .value = "SmoothScroll",
                         .control = "cbSmoothScroll",
                         .form = ValueForm::Flag});
  page.values.push_back(RowValue(kHkeyCurrentUser, kExplorerKey, kDesktopProcess));
  page.values.back().shared = Shared::NT4Only;
  page.values.push_back(RowValue(kHkeyCurrentUser, kDesktopKey, kPaintDesktopVersion));
  for (std::string_view value : {"EnableWheelDetection", "SampleRate"}) {
    page.values.push_back({.root = kHkeyLocalMachine,
                           .key = kMousePortKey,
                           .value = value,
                           .control = value == "SampleRate" ? "udPS2rate" : "edWheelDetect",
                           .form = ValueForm::Number,
                           .shared = Shared::NT4Only});
  }
  page.values.push_back(RowValue(kHkeyCurrentUser, kDesktopKey, kWheelScrollLines, "lblWheelScrollLines"));
  page.values.push_back({.root = kHkeyCurrentUser,
                         .key = kDesktopKey,
                         .value = "MenuShowDelay",
                         .control = "tbMenuSpeed",
                         .form = ValueForm::Number,
                         .label = "gbMenuSpeed",
                         .asText = true});
  return page;
}

ManagedPage OtherPageValues() {
  using namespace other_rows;
  ManagedPage page{"Other", {}};
  // Decimal text in an edit of three digits, written as a number.
  const std::string_view fontLabels[] = {"lblDefaultFont", "lblArialFont"};
  for (int i = 0; i < 2; ++i) {
    page.values.push_back({.root = kHkeyLocalMachine,
                           .key = kFontMapperKey,
                           .value = kFontValues[i],
                           .control = kFontEdits[i],
                           .form = ValueForm::Number,
                           .label = fontLabels[i],
                           .max = 999});
  }
  page.values.push_back(RowValue(kHkeyLocalMachine, kCdromKey, kAutorun));
  page.values.push_back(RowValue(kHkeyLocalMachine, kFileSystemKey, kLastAccess));
  constexpr std::string_view kOwnerLabels[] = {"lblRegOwner", "lblRegOrg", "lblSourcePath"};
  for (std::size_t i = 0; i < kOwnerRows.size(); ++i) {
    page.values.push_back(RowValue(kHkeyLocalMachine, kCurrentVersionKey, kOwnerRows[i], kOwnerLabels[i]));
  }
  page.values.push_back(RowValue(kHkeyLocalMachine, kSetupKey, kSetupSource, "lblSourcePath"));
  constexpr std::string_view kServicePackLabels[] = {"lblSourcePath3", "lblSourcePath4"};
  for (std::size_t i = 0; i < kServicePackRows.size(); ++i) {
    page.values.push_back(RowValue(kHkeyLocalMachine, kSetupKey, kServicePackRows[i], kServicePackLabels[i]));
    page.values.back().honoured = &KeepsXpEraValues;
  }
  return page;
}

ManagedPage SystemToolsPageValues() {
  using namespace system_tools_rows;
  const auto choiceValue = [](const char* value, std::span<const Choice> choices, const char* group,
                              bool (*honoured)(SystemApi&)) {
    ManagedValue managed{.root = kHkeyLocalMachine,
                         .key = kPrefetchKey,
                         .value = value,
                         .control = choices.front().button,
                         .form = ValueForm::Choice,
                         .label = group,
                         .honoured = honoured};
    for (const Choice& choice : choices) managed.choices.push_back({choice.button, choice.number});
    return managed;
  };
  return {"System tools",
          {choiceValue("EnablePrefetcher", kPrefetchChoices, "gbPrefetch", &HonoursPrefetcher),
           choiceValue("EnableSuperfetch", kSuperFetchChoices, "gbSuperFetch", &HonoursSuperFetch), [] {
             ManagedValue boot = RowValue(kHkeyLocalMachine, kBootOptimizeKey, kBootOptimize);
             boot.honoured = &KeepsXpEraValues;
             return boot;
           }()}};
}

}  // namespace varnox
