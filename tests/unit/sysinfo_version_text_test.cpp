#include <gtest/gtest.h>

#include <string>

#include "memory_registry.h"
#include "scripted_system.h"
#include "settings/registry.h"
#include "sysinfo/version_text.h"

namespace varnox {
namespace {

constexpr char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kQ246009[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";

class VersionText : public testing::Test {
 protected:
  std::string Version() { return GetOSVersionText(platform); }
  std::string Plus() { return GetPlusVersionText(platform); }

  MemoryRegistry registry;
  ScriptedSystem system = ScriptedSystem::WinXPSp3();
  Platform platform{registry, system};
};

TEST_F(VersionText, VersionBuildAndServicePack) {
  EXPECT_EQ("Version 5.1 ( Build 2600 Service Pack 3 )", Version());

  system = ScriptedSystem::Win8();
  EXPECT_EQ("Version 6.2 ( Build 9200 )", Version()) << "no service pack, no blank";

  system = ScriptedSystem::Win98SE();
  EXPECT_EQ("Version 4.10 ( Build 2222  A  )", Version()) << "only the low word of the build";
}

TEST_F(VersionText, NT4HotFixLetterAndSubVersion) {
  system = ScriptedSystem::WinNT4Sp6Workstation();
  EXPECT_EQ("Version 4.0 ( Build 1381 Service Pack 6 )", Version());

  registry.CreateKeyPath(kHkeyLocalMachine, kQ246009);
  EXPECT_EQ("Version 4.0 ( Build 1381 Service Pack 6a )", Version());

  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "SubVersionNumber", "-RC");
  EXPECT_EQ("Version 4.0 ( Build 1381 Service Pack 6a-RC )", Version());
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(VersionText, HotFixKeyCountsOnlyOnMajorVersion4) {
  registry.CreateKeyPath(kHkeyLocalMachine, kQ246009);
  EXPECT_EQ("Version 5.1 ( Build 2600 Service Pack 3 )", Version());

  system = ScriptedSystem::Win98SE();  // major 4 on any platform
  EXPECT_EQ("Version 4.10 ( Build 2222  A a )", Version());
}

TEST_F(VersionText, KeysThatDoNotOpenWithFullAccessContributeNothing) {
  system = ScriptedSystem::WinNT4Sp6Workstation();
  registry.CreateKeyPath(kHkeyLocalMachine, kQ246009);
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "SubVersionNumber", "x");
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "Plus! VersionNumber", "1.0");
  registry.DenyFullAccess(kHkeyLocalMachine, "SOFTWARE");
  EXPECT_EQ("Version 4.0 ( Build 1381 Service Pack 6 )", Version());
  EXPECT_EQ("", Plus());
}

TEST_F(VersionText, EachReadUsesItsOwnAccessorOnTheLocalMachine) {
  system = ScriptedSystem::WinNT4Sp6Workstation();
  registry.CreateKeyPath(kHkeyLocalMachine, kQ246009);
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "SubVersionNumber", "x");
  Version();
  const std::vector<std::string> trace = registry.CallTrace();
  ASSERT_GE(trace.size(), 4u);
  EXPECT_EQ("OpenKey HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009", trace[0]);
  EXPECT_EQ("CloseKey", trace[1].substr(0, 8));
  EXPECT_EQ("OpenKey HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", trace[2]);
  EXPECT_EQ("CloseKey", trace.back().substr(0, 8));
  for (const RegistryCall& call : registry.Calls()) {
    if (call.op == "OpenKey") {
      EXPECT_EQ(kKeyAllAccess, call.access) << call.ToString();
    }
  }
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(VersionText, PlusPackVersion) {
  EXPECT_EQ("", Plus()) << "no key";
  registry.CreateKeyPath(kHkeyLocalMachine, kCurrentVersion);
  EXPECT_EQ("", Plus()) << "no value";
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "Plus! VersionNumber", "");
  EXPECT_EQ("", Plus()) << "empty value";
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "Plus! VersionNumber", "IE 5 6.0.2900.2180");
  EXPECT_EQ("Plus! version IE 5 6.0.2900.2180", Plus());
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(VersionText, ValuesThatAreNotTextRaiseTheAccessorErrorAndFreeIt) {
  registry.SetDword(kHkeyLocalMachine, kCurrentVersion, "SubVersionNumber", 1);
  registry.SetDword(kHkeyLocalMachine, kCurrentVersion, "Plus! VersionNumber", 1);
  try {
    Version();
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ("Invalid data type for 'SubVersionNumber'", e.what());
  }
  try {
    Plus();
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ("Invalid data type for 'Plus! VersionNumber'", e.what());
  }
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(VersionText, SystemAndRegistryTextsAreConvertedFromAnsi) {
  // A code page where 0xE9 is e-acute.
  system.ansiToUtf8 = [](const std::string& ansi) {
    std::string utf8;
    for (char c : ansi) utf8 += c == '\xE9' ? std::string("\xC3\xA9") : std::string(1, c);
    return utf8;
  };
  system.version.servicePack = "R\xE9vision 3";
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "Plus! VersionNumber", "\xE9t\xE9");
  EXPECT_EQ("Version 5.1 ( Build 2600 R\xC3\xA9vision 3 )", Version());
  EXPECT_EQ("Plus! version \xC3\xA9t\xC3\xA9", Plus());
}

// What replaced the service pack from 8 on, read with no more than read
// access; 7 and older never look.
TEST_F(VersionText, UpdateRevisionAndReleaseFromWindows8On) {
  system = ScriptedSystem::Win10X64();
  registry.CreateKeyPath(kHkeyLocalMachine, kCurrentVersion);
  registry.DenyFullAccess(kHkeyLocalMachine, kCurrentVersion);
  EXPECT_EQ("Version 10.0 ( Build 19045 )", Version());

  registry.SetDword(kHkeyLocalMachine, kCurrentVersion, "UBR", 2965);
  EXPECT_EQ("Version 10.0 ( Build 19045.2965 )", Version());
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "ReleaseId", "1909");
  EXPECT_EQ("Version 10.0 ( Build 19045.2965, 1909 )", Version()) << "before 20H2 only the release id";
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "DisplayVersion", "");
  EXPECT_EQ("Version 10.0 ( Build 19045.2965, 1909 )", Version()) << "an empty name counts as none";
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "DisplayVersion", "22H2");
  EXPECT_EQ("Version 10.0 ( Build 19045.2965, 22H2 )", Version());

  // Values of another type are not what Windows writes there: passed over, no error.
  registry.SetString(kHkeyLocalMachine, kCurrentVersion, "UBR", "2965");
  registry.SetDword(kHkeyLocalMachine, kCurrentVersion, "DisplayVersion", 22);
  EXPECT_EQ("Version 10.0 ( Build 19045, 1909 )", Version());
  registry.SetDword(kHkeyLocalMachine, kCurrentVersion, "UBR", 0xFFFFFFFFu);
  EXPECT_EQ("Version 10.0 ( Build 19045.4294967295, 1909 )", Version()) << "the revision is unsigned";
  EXPECT_EQ(0u, registry.OpenHandleCount());

  system = ScriptedSystem::Win7X64();
  EXPECT_EQ("Version 6.1 ( Build 7601 Service Pack 1 )", Version());
}

}  // namespace
}  // namespace varnox
