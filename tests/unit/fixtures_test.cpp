// The .reg reader and the registry fixtures it loads: each fixture is plain
// REGEDIT4 as regedit imports it, names its version, leaves out what Setup
// never writes, and holds every value the window reads without asking first,
// so that the window opens on it without a load error.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "reg_file.h"
#include "reg_file_loader.h"
#include "settings/kilobytes.h"
#include "settings/registry.h"
#include "settings/text_number.h"

namespace varnox {
namespace {

const char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kMemory[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
const char kWorkstation[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanWorkstation\\Parameters";
const char kWow[] = "SYSTEM\\CurrentControlSet\\Control\\WOW";
const char kDesktop[] = "Control Panel\\Desktop";

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
std::vector<std::uint8_t> Text(const std::string& text) { return {text.c_str(), text.c_str() + text.size() + 1}; }

// ---------------------------------------------------------------- the reader

TEST(RegFileReader, ReadsEveryKindOfValue) {
  const RegFile file = ParseRegText(R"(REGEDIT4

; a comment, then a section
[HKEY_LOCAL_MACHINE\SOFTWARE\Some Key]
"Path"="C:\\WINNT \"quoted\""
@="default"
"Number"=dword:0000000a
"Big"=dword:FFFFFF9D
"Bytes"=hex:01,ff
"Expand"=hex(2):25,41,25,00
"Multi"=hex(7):61,00,62,00,00
"Empty"=hex:
"Gone"=-
[HKEY_CURRENT_USER]
)");
  ASSERT_TRUE(file.problems.empty()) << DescribeProblems(file);
  ASSERT_EQ(file.sections.size(), 2u);
  EXPECT_EQ(file.sections[0].root, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(file.sections[0].path, "SOFTWARE\\Some Key");
  EXPECT_EQ(file.sections[1].root, "HKEY_CURRENT_USER");
  EXPECT_EQ(file.sections[1].path, "");

  std::map<std::string, RegFileValue> values;
  for (const RegFileValue& value : file.sections[0].values) values[value.name] = value;
  ASSERT_EQ(values.size(), 9u);
  EXPECT_EQ(values["Path"].type, kRegSz);
  EXPECT_EQ(values["Path"].data, Text("C:\\WINNT \"quoted\""));
  EXPECT_EQ(values[""].data, Text("default"));
  EXPECT_EQ(values["Number"].type, kRegDword);
  EXPECT_EQ(values["Number"].data, (std::vector<std::uint8_t>{10, 0, 0, 0}));
  EXPECT_EQ(values["Big"].data, (std::vector<std::uint8_t>{0x9D, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(values["Bytes"].type, kRegBinary);
  EXPECT_EQ(values["Bytes"].data, (std::vector<std::uint8_t>{0x01, 0xFF}));
  EXPECT_EQ(values["Expand"].type, kRegExpandSz);
  EXPECT_EQ(values["Expand"].data, Text("%A%"));
  EXPECT_EQ(values["Multi"].type, kRegMultiSz);
  EXPECT_EQ(values["Multi"].data, Bytes(std::string("a\0b\0\0", 5)));
  EXPECT_TRUE(values["Empty"].data.empty());
  EXPECT_TRUE(values["Gone"].remove);
  EXPECT_EQ(values["Gone"].line, 13);
}

TEST(RegFileReader, JoinsContinuedHexLinesAndKeepsCountingLines) {
  const RegFile file = ParseRegText(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\K]\r\n"
      "\"Multi\"=hex(7):61,62,\\\r\n"
      "   63,00,\\  \r\n"
      "\t00\r\n"
      "\"After\"=dword:00000001\r\n"
      "nonsense\r\n");
  ASSERT_EQ(file.sections.size(), 1u);
  const std::vector<RegFileValue>& values = file.sections[0].values;
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].data, Bytes(std::string("abc\0\0", 5)));
  EXPECT_EQ(values[1].name, "After");
  EXPECT_EQ(values[1].line, 6);
  ASSERT_EQ(file.problems.size(), 1u);
  EXPECT_EQ(file.problems[0].line, 7);
}

TEST(RegFileReader, ReportsWhatItCannotReadWithItsLine) {
  struct Case {
    std::string body;  // behind "REGEDIT4\n[HKEY_LOCAL_MACHINE\K]\n", so its first line is line 3
    int line;
    std::string message;
  };
  const Case cases[] = {
      {"\"a\"=\"open\n", 3, "unterminated string"},
      {"\"a\"=\"C:\\WINNT\"\n", 3, "unsupported escape \\W (write \\\\ for a backslash)"},
      {"\"a\"=\"x\" tail\n", 3, "unexpected text after the string"},
      {"\"a\" \"x\"\n", 3, "expected = after the value name"},
      {"\"a\"=dword:100000000\n", 3, "dword: needs 1 to 8 hexadecimal digits"},
      {"\"a\"=dword:0000000g\n", 3, "dword: needs 1 to 8 hexadecimal digits"},
      {"\"a\"=dword:\n", 3, "dword: needs 1 to 8 hexadecimal digits"},
      {"\"a\"=hex:01,2g\n", 3, "bad byte '2g' in hex data"},
      {"\"a\"=hex:01,\n", 3, "bad byte '' in hex data"},
      {"\"a\"=hex:123\n", 3, "bad byte '123' in hex data"},
      {"\"a\"=hex(7:00\n", 3, "hex(type) needs 1 to 8 hexadecimal digits"},
      {"\"a\"=hex 00\n", 3, "expected : after hex"},
      {"\n\"a\"=hex:01,\\\n", 4, "the file ends inside a continued line"},
      {"\"a\"=str\n", 3, "unknown kind of value data"},
      {"[HKEY_NOWHERE\\X]\n", 3, "unknown root key 'HKEY_NOWHERE'"},
      {"[-HKEY_LOCAL_MACHINE\\K]\n", 3, "deleting a key is not supported"},
      {"[HKEY_LOCAL_MACHINE\\A\\\\B]\n", 3, "empty key name in 'HKEY_LOCAL_MACHINE\\A\\\\B'"},
      {"[HKEY_LOCAL_MACHINE\\K\n", 3, "section line without a closing ]"},
      {"x=1\n", 3, "not a section, value or comment line"},
  };
  for (const Case& c : cases) {
    const RegFile file = ParseRegText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n" + c.body);
    ASSERT_EQ(file.problems.size(), 1u) << c.body << DescribeProblems(file);
    EXPECT_EQ(file.problems[0].line, c.line) << c.body;
    EXPECT_EQ(file.problems[0].message, c.message) << c.body;
  }

  EXPECT_EQ(ParseRegText("Windows Registry Editor Version 5.00\n").problems.at(0).message,
            "the first line must be REGEDIT4");
  EXPECT_EQ(ParseRegText("REGEDIT4\n\"a\"=\"x\"\n").problems.at(0).message, "value line before any section");
  // Under a section it could not read, values are dropped quietly: the one
  // problem is the section's, and a continued value's lines are still eaten.
  const RegFile broken = ParseRegText("REGEDIT4\n[HKEY_NOWHERE\\X]\n\"a\"=hex:01,\\\n  02\n\"b\"=\"x\"\n");
  EXPECT_EQ(broken.problems.size(), 1u) << DescribeProblems(broken);
  EXPECT_TRUE(broken.sections.empty());
}

// ---------------------------------------------------------------- the loader

TEST(RegFileLoader, AppliesFilesInOrderAsRegeditDoes) {
  MemoryRegistry registry;
  ApplyRegFile(registry, ParseRegText(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SOFTWARE\Base]
"Kept"="1"
"Replaced"=dword:00000005
"Removed"="x"
[HKEY_CURRENT_USER\Control Panel\Empty]
)"),
               "base");
  ApplyRegFile(registry, ParseRegText(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\software\base]
"REPLACED"="5"
"Removed"=-
"NeverThere"=-
)"),
               "overlay");

  EXPECT_EQ(registry.String(kHkeyLocalMachine, "SOFTWARE\\Base", "Kept"), "1");
  // Names fold case: the overlay's spelling replaced the value, not added one.
  EXPECT_EQ(registry.ValueNames(kHkeyLocalMachine, "SOFTWARE\\Base").size(), 2u);
  EXPECT_EQ(registry.String(kHkeyLocalMachine, "SOFTWARE\\Base", "Replaced"), "5");
  EXPECT_FALSE(registry.Value(kHkeyLocalMachine, "SOFTWARE\\Base", "Removed"));
  EXPECT_TRUE(registry.KeyExists(kHkeyCurrentUser, "Control Panel\\Empty"));
}

TEST(RegFileLoader, RefusesAFileItCannotApplyWholeAndWritesNothing) {
  MemoryRegistry registry;
  const RegFile otherRoot = ParseRegText(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SOFTWARE\First]
"a"="1"
[HKEY_USERS\.DEFAULT]
"b"="2"
)");
  ASSERT_TRUE(otherRoot.problems.empty());
  EXPECT_THROW(ApplyRegFile(registry, otherRoot, "other root"), std::runtime_error);
  EXPECT_THROW(ApplyRegFile(registry, ParseRegText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"\n"), "bad"),
               std::runtime_error);
  EXPECT_FALSE(registry.KeyExists(kHkeyLocalMachine, "SOFTWARE\\First"));
  EXPECT_FALSE(registry.KeyExists(kHkeyLocalMachine, "K"));
  EXPECT_THROW(LoadRegFile(registry, FixturePath("no_such_file.reg")), std::runtime_error);
}

// ---------------------------------------------------------------- the fixtures

struct WindowsVersion {
  const char* fixture;
  const char* currentVersion;
  const char* build;
  bool server;
  int major;
  int minor;

  bool IsNT4() const { return major == 4; }
  bool HasIoPageLockLimit() const { return major == 4 || (major == 5 && minor == 0); }
  bool HasPrefetcher() const { return major > 5 || (major == 5 && minor >= 1); }
  bool HasSuperFetch() const { return major == 6; }
};

// Failure messages name the fixture rather than dump the record's bytes.
void PrintTo(const WindowsVersion& version, std::ostream* out) { *out << version.fixture; }

const WindowsVersion kVersions[] = {
    {"nt40.reg", "4.0", "1381", false, 4, 0},  {"win2k.reg", "5.0", "2195", false, 5, 0},
    {"winxp.reg", "5.1", "2600", false, 5, 1}, {"win2003.reg", "5.2", "3790", true, 5, 2},
    {"vista.reg", "6.0", "6002", false, 6, 0}, {"win7.reg", "6.1", "7601", false, 6, 1},
};

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Fixtures, AreAsciiRegedit4WithCrLfLineEnds) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(FixturePath(""))) {
    if (entry.path().extension() == ".reg") files.push_back(entry.path());
  }
  for (const WindowsVersion& version : kVersions) {
    EXPECT_NE(std::find(files.begin(), files.end(), FixturePath(version.fixture)), files.end()) << version.fixture;
  }
  for (const std::filesystem::path& path : files) {
    const std::string text = ReadWhole(path);
    EXPECT_TRUE(text.starts_with("REGEDIT4\r\n")) << path;
    EXPECT_TRUE(text.ends_with("\r\n")) << path;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      ASSERT_FALSE(text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) << path << ": bare LF at byte " << i;
      ASSERT_FALSE(text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) << path << ": bare CR";
      ASSERT_LT(byte, 0x80) << path << ": not plain ASCII at byte " << i;
    }
    const RegFile file = ParseRegText(text);
    EXPECT_TRUE(file.problems.empty()) << path << "\n" << DescribeProblems(file);
  }
}

class VersionFixture : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void SetUp() override { LoadRegFile(registry, FixturePath(GetParam().fixture)); }

  // What the window would show when it opens `key` and does `read`: "" when
  // all goes well, else the message of the error that ends its load.
  std::string LoadMessage(RegKey root, const std::string& key, const std::function<void(TRegistry&)>& read) {
    TRegistry accessor(registry);
    accessor.SetRoot(root);
    if (!accessor.OpenKey(key, false)) return "cannot open " + key;
    try {
      read(accessor);
    } catch (const std::exception& error) {
      return error.what();
    }
    return "";
  }

  MemoryRegistry registry;
};

TEST_P(VersionFixture, NamesItsVersion) {
  const WindowsVersion& version = GetParam();
  EXPECT_EQ(registry.String(kHkeyLocalMachine, kCurrentVersion, "CurrentVersion"), version.currentVersion);
  EXPECT_EQ(registry.String(kHkeyLocalMachine, kCurrentVersion, "CurrentBuildNumber"), version.build);
  EXPECT_TRUE(
      registry.String(kHkeyLocalMachine, kCurrentVersion, "CSDVersion").value_or("").starts_with("Service Pack"));
  // Setup asks for an owner; an organisation may be left empty, but is there.
  EXPECT_NE(registry.String(kHkeyLocalMachine, kCurrentVersion, "RegisteredOwner").value_or(""), "");
  EXPECT_TRUE(registry.String(kHkeyLocalMachine, kCurrentVersion, "RegisteredOrganization"));
  // Service Pack 6a shows as a hot fix key beside "Service Pack 6".
  EXPECT_EQ(registry.KeyExists(kHkeyLocalMachine, std::string(kCurrentVersion) + "\\Hotfix\\Q246009"), version.IsNT4());
  EXPECT_FALSE(registry.Value(kHkeyLocalMachine, kCurrentVersion, "Plus! VersionNumber"));

  // A workstation minimizes the server's memory use; a server maximizes file sharing.
  EXPECT_EQ(registry.Dword(kHkeyLocalMachine, kServer, "Size"), version.server ? 3u : 1u);
  EXPECT_EQ(registry.Dword(kHkeyLocalMachine, kMemory, "LargeSystemCache"), version.server ? 1u : 0u);
}

TEST_P(VersionFixture, OpensWithoutALoadError) {
  const WindowsVersion& version = GetParam();
  struct Read {
    RegKey root;
    std::string key;
    std::string name;
    std::function<void(TRegistry&, const std::string&)> read;
  };
  const auto dword = [](TRegistry& reg, const std::string& name) { reg.ReadDword(name); };
  const auto text = [](TRegistry& reg, const std::string& name) { reg.ReadText(name); };
  const std::string prefetch = std::string(kMemory) + "\\PrefetchParameters";
  const std::string i8042 = "SYSTEM\\CurrentControlSet\\Services\\i8042prt\\Parameters";

  std::vector<Read> reads = {
      {kHkeyLocalMachine, kMemory, "ClearPageFileAtShutdown", dword},
      {kHkeyLocalMachine, kMemory, "LargeSystemCache", dword},
      {kHkeyLocalMachine, kMemory, "SecondLevelDataCache", dword},
      {kHkeyLocalMachine, kMemory, "DisablePagingExecutive", dword},
      {kHkeyLocalMachine, kServer, "Size", dword},
      {kHkeyLocalMachine, std::string(kCurrentVersion) + "\\FontMapper", "DEFAULT", dword},
      {kHkeyLocalMachine, std::string(kCurrentVersion) + "\\FontMapper", "ARIAL", dword},
      {kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "Autorun", dword},
      {kHkeyLocalMachine, kWinlogon, "DefaultUserName", text},
      {kHkeyLocalMachine, kWinlogon, "DefaultDomainName", text},
      {kHkeyLocalMachine, kWinlogon, "AutoAdminLogon", text},
      {kHkeyLocalMachine, kWow, "DefaultSeparateVDM", text},
  };
  if (version.HasIoPageLockLimit()) {
    reads.push_back({kHkeyLocalMachine, kMemory, "IoPageLockLimit", dword});
  }
  if (version.IsNT4()) {
    reads.push_back({kHkeyLocalMachine, kWinlogon, "PowerdownAfterShutdown", text});
    reads.push_back({kHkeyLocalMachine, i8042, "EnableWheelDetection", dword});
    reads.push_back({kHkeyLocalMachine, i8042, "SampleRate", dword});
  }
  if (version.HasPrefetcher()) reads.push_back({kHkeyLocalMachine, prefetch, "EnablePrefetcher", dword});
  if (version.HasSuperFetch()) {
    reads.push_back({kHkeyLocalMachine, prefetch, "EnableSuperfetch", dword});
    reads.push_back({kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\SysMain", "Start", dword});
  }
  for (const Read& r : reads) {
    ASSERT_TRUE(registry.Value(r.root, r.key, r.name)) << r.name << " is missing";
    EXPECT_EQ(LoadMessage(r.root, r.key, [&](TRegistry& reg) { r.read(reg, r.name); }), "") << r.name;
  }
}

// Up to Server 2003 a profile holds the end-task values as decimal text;
// from Vista on a new one holds none, and the system takes the same defaults.
TEST_P(VersionFixture, EndTaskTimeoutsAreDecimalTextUntilVista) {
  const bool stored = GetParam().major < 6;
  const std::pair<const char*, std::int32_t> timeouts[] = {{"HungAppTimeout", 5000}, {"WaitToKillAppTimeout", 20000}};
  for (const auto& [name, expected] : timeouts) {
    const std::optional<StoredValue> value = registry.Value(kHkeyCurrentUser, kDesktop, name);
    ASSERT_EQ(value.has_value(), stored) << name;
    if (!stored) continue;
    EXPECT_EQ(value->type, kRegSz) << name;
    // -1 stands for "not a number": the window would fall back to its default.
    EXPECT_EQ(TextToNumber(registry.String(kHkeyCurrentUser, kDesktop, name).value_or(""), -1), expected) << name;
  }
  EXPECT_EQ(registry.String(kHkeyCurrentUser, kDesktop, "AutoEndTasks"),
            stored ? std::optional<std::string>("0") : std::nullopt);
}

TEST_P(VersionFixture, LeavesOutWhatSetupNeverWrites) {
  // The keys are there, so the pages load enabled...
  for (const char* key : {kWinlogon, kMemory, kServer, kWorkstation, kWow}) {
    EXPECT_TRUE(registry.KeyExists(kHkeyLocalMachine, key)) << key;
  }
  EXPECT_TRUE(registry.KeyExists(kHkeyCurrentUser, kDesktop));
  // ...but these values only ever come from a user or an administrator.
  EXPECT_FALSE(registry.Value(kHkeyLocalMachine, kWinlogon, "DefaultPassword"));
  EXPECT_EQ(registry.String(kHkeyLocalMachine, kWinlogon, "AutoAdminLogon"), "0");
  for (const char* name : {"AutoShareServer", "AutoShareWks", "DiskSpaceThreshold", "Hidden", "SrvComment"}) {
    EXPECT_FALSE(registry.Value(kHkeyLocalMachine, kServer, name)) << name;
  }
  EXPECT_FALSE(registry.Value(kHkeyLocalMachine, kWorkstation, "CacheFileTimeout"));
  EXPECT_EQ(registry.String(kHkeyLocalMachine, kWow, "DefaultSeparateVDM"), "no");
  EXPECT_EQ(registry.Value(kHkeyLocalMachine, kMemory, "IoPageLockLimit").has_value(), GetParam().HasIoPageLockLimit());
}

INSTANTIATE_TEST_SUITE_P(EachVersion, VersionFixture, ::testing::ValuesIn(kVersions),
                         [](const ::testing::TestParamInfo<WindowsVersion>& info) {
                           const std::string file = info.param.fixture;
                           return file.substr(0, file.find('.'));
                         });

// ---------------------------------------------------------------- damaged fixtures

// What the window's load makes of `read`: the message of the error that ends
// it, or else what `read` says the window shows.
std::string Outcome(MemoryRegistry& registry, const std::function<std::string(TRegistry&)>& read) {
  TRegistry accessor(registry);
  accessor.SetRoot(kHkeyLocalMachine);
  try {
    return read(accessor);
  } catch (const std::exception& error) {
    return error.what();
  }
}

// Each damaged file goes on top of a version's fixture and breaks one value.
TEST(DamagedFixtures, EachBreaksOneValueTheWayItsNameSays) {
  const auto memoryNumber = [](const char* name, bool inKilobytes = false) {
    return [=](TRegistry& reg) {
      reg.OpenKey(kMemory, false);
      const std::int32_t number = reg.ReadDword(name);
      return std::to_string(inKilobytes ? Kilobytes(static_cast<std::uint32_t>(number))
                                        : static_cast<std::uint64_t>(number));
    };
  };
  const auto number = [](const char* key, const char* name) {
    return [=](TRegistry& reg) {
      reg.OpenKey(key, false);
      return std::to_string(reg.ReadDword(name));
    };
  };
  const auto hungAppTimeout = [](TRegistry& reg) {
    reg.SetRoot(kHkeyCurrentUser);
    reg.OpenKey(kDesktop, false);
    const std::string text = reg.ReadText("HungAppTimeout");
    return text + " shows as " + std::to_string(TextToNumber(text, 5000));
  };
  struct Case {
    const char* base;
    std::function<std::string(TRegistry&)> read;
    std::string healthy;  // the outcome on the base alone
    std::string damaged;
  };
  const std::map<std::string, Case> cases = {
      {"clear_pagefile_as_text.reg",
       {"winxp.reg", memoryNumber("ClearPageFileAtShutdown"), "0", "Invalid data type for 'ClearPageFileAtShutdown'"}},
      {"second_level_cache_too_big.reg", {"win7.reg", memoryNumber("SecondLevelDataCache"), "0", "32768"}},
      {"large_system_cache_missing.reg",
       {"win2003.reg", memoryNumber("LargeSystemCache"), "1", "Failed to get data for 'LargeSystemCache'"}},
      {"io_page_lock_limit_too_big.reg", {"nt40.reg", memoryNumber("IoPageLockLimit", true), "0", "32768"}},
      {"auto_admin_logon_as_dword.reg",
       {"win2k.reg",
        [](TRegistry& reg) {
          reg.OpenKey("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon", false);
          return reg.ReadText("AutoAdminLogon");
        },
        "0", "Invalid data type for 'AutoAdminLogon'"}},
      {"default_ttl_too_big.reg",
       {"nt40.reg",
        [](TRegistry& reg) {
          reg.OpenKey("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", false);
          if (!reg.ValueExists("DefaultTTL")) return std::string("absent");
          return std::to_string(reg.ReadDword("DefaultTTL"));
        },
        "absent", "32768"}},
      {"secure_boot_as_text.reg",
       {"win2k.reg", number("SYSTEM\\CurrentControlSet\\Control\\Lsa", "SecureBoot"), "1",
        "Invalid data type for 'SecureBoot'"}},
      {"sfc_quota_as_text.reg", {"winxp.reg", number(kWinlogon, "SFCQuota"), "-1", "Invalid data type for 'SFCQuota'"}},
      {"no_desktop_as_binary.reg",
       {"win2k.reg",
        [](TRegistry& reg) {
          reg.SetRoot(kHkeyCurrentUser);
          reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", false);
          return reg.ValueExists("NoDesktop") ? std::to_string(reg.ReadDword("NoDesktop")) : "absent";
        },
        "absent", "Invalid data type for 'NoDesktop'"}},
      {"enable_prefetcher_missing.reg",
       {"winxp.reg",
        [](TRegistry& reg) {
          reg.OpenKey(std::string(kMemory) + "\\PrefetchParameters", false);
          return std::to_string(reg.ReadDword("EnablePrefetcher"));
        },
        "3", "Failed to get data for 'EnablePrefetcher'"}},
      {"hung_app_timeout_not_a_number.reg", {"vista.reg", hungAppTimeout, " shows as 5000", "abc shows as 5000"}},
      {"hung_app_timeout_40000.reg", {"winxp.reg", hungAppTimeout, "5000 shows as 5000", "40000 shows as 40000"}},
      {"device_map_dma_as_text.reg",
       {"hardware/winxp.reg",
        [](TRegistry& reg) {
          reg.OpenKey("HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0", false);
          return std::to_string(reg.ReadDword("DMAEnabled"));
        },
        "1", "Invalid data type for 'DMAEnabled'"}},
  };

  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(FixturePath("damaged"))) {
    files.insert(entry.path().filename().string());
  }
  for (const auto& [name, c] : cases) EXPECT_TRUE(files.count(name)) << name << " is gone";

  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(cases.count(name)) << "a damaged fixture without a case here";
    const Case& c = cases.at(name);
    const RegFile damage = ReadRegFile(FixturePath("damaged/" + name));
    ASSERT_EQ(damage.sections.size(), 1u);
    ASSERT_EQ(damage.sections[0].values.size(), 1u);

    MemoryRegistry registry;
    LoadRegFile(registry, FixturePath(c.base));
    EXPECT_EQ(Outcome(registry, c.read), c.healthy);
    ApplyRegFile(registry, damage, name);
    EXPECT_EQ(Outcome(registry, c.read), c.damaged);
  }
}

}  // namespace
}  // namespace varnox
