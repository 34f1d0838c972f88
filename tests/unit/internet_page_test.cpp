// The Internet page on NT 4.0's registry with two adapters: the table of
// adapters and what the user's edits do to it, the MTU written for every
// adapter at OK, the TTL's immediate button, and the page's absence above
// NT 4.0.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"
#include "window/form/create_delete_value.h"
#include "window/pages/mtu_array.h"

namespace varnox::test {
namespace {

constexpr RegKey HKLM = kHkeyLocalMachine;
constexpr char kDhcpCard[] = "SYSTEM\\CurrentControlSet\\Services\\E100B1\\Parameters\\Tcpip";
constexpr char kStaticCard[] = "SYSTEM\\CurrentControlSet\\Services\\NE20001\\Parameters\\Tcpip";
constexpr char kLinkage[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage";
constexpr char kParameters[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

std::vector<std::uint8_t> Raw(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

class InternetPage : public PageTest {
 protected:
  void SetUp() override { LoadRegFile(registry, FixturePath("nt40.reg")); }
  void OpenNt4() {
    Open(ScriptedSystem::WinNT4Sp6Workstation());
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  }

  TComboBox& Profiles() { return Find<TComboBox>("cbTCPProfile"); }
  TEdit& Mtu() { return Find<TEdit>("edMTU"); }
  const std::string& Caption(const char* label) { return Find<TLabel>(label).Caption(); }
  void ShowPage(const char* sheet) { Find<TPageControl>("PageControl").UserSelectTab(Find<TTabSheet>(sheet)); }
  std::optional<std::uint32_t> MtuOf(const char* card) { return registry.Dword(HKLM, card, "MTU"); }
};

TEST(BindList, GivesTheNamesLessTheirDevicePrefixUpToTheListsEnd) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(ParseBindings(Raw(std::string("\\Device\\E100B1\0\\Device\\NE20001\0\0", 32))),
            (Names{"E100B1", "NE20001"}));
  EXPECT_EQ(ParseBindings(Raw(std::string("\\Dev\0\0", 6))), Names{""}) << "shorter than the prefix";
  EXPECT_EQ(ParseBindings(Raw(std::string("\\Device\\A\0tail\0", 15))), Names{"A"}) << "text after the last NUL";
  EXPECT_TRUE(ParseBindings(Raw(std::string("\0\0", 2))).empty()) << "an empty list";
  EXPECT_TRUE(ParseBindings(Raw(std::string("\\Device\\A", 9))).empty()) << "no NUL at all";
  EXPECT_TRUE(ParseBindings({}).empty());
}

TEST_F(InternetPage, ListsBothAdaptersAndShowsTheFirstWithItsDhcpAddress) {
  OpenNt4();
  EXPECT_EQ(Caption("lblTCPBindings"), "TCP/IP profile : (2 binding found in registry)");
  EXPECT_EQ(Profiles().Items(), (std::vector<std::string>{"E100B1", "NE20001"}));
  EXPECT_EQ(Profiles().ItemIndex(), 0);
  EXPECT_EQ(Caption("lblIPAddress"), "IP address 192.168.1.20 (from DHCP)");
  EXPECT_FALSE(Mtu().Enabled());
  EXPECT_EQ(Mtu().Text(), "");
  EXPECT_EQ(Caption("lblMTU"), kCreateValueText);

  Profiles().UserSelect(1);
  EXPECT_EQ(Caption("lblIPAddress"), "IP address 10.0.0.5") << "the first static address";
  EXPECT_TRUE(Mtu().Enabled());
  EXPECT_EQ(Mtu().Text(), "1500");
  EXPECT_EQ(Caption("lblMTU"), kDeleteValueText);

  EXPECT_FALSE(Find<Control>("edTTL").Enabled()) << "DefaultTTL is absent";
  EXPECT_EQ(Find<TEdit>("edTTL").Text(), "128");
  EXPECT_EQ(Caption("lblTTL"), kCreateValueText);
  EXPECT_FALSE(OkEnabled()) << "showing an adapter is no change";

  // The adapters' keys are opened for reading only.
  const std::string card = std::string("HKLM\\") + "System\\CurrentControlSet\\Services\\NE20001\\Parameters\\Tcpip";
  const auto& calls = registry.Calls();
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const RegistryCall& call) {
    return call.op == "OpenKey" && call.keyPath == card && call.access == kKeyRead;
  }));
}

TEST_F(InternetPage, EditsStayInTheTableUntilOkWritesEveryAdapter) {
  OpenNt4();
  Profiles().UserSelect(1);
  Mtu().UserType("1400");
  EXPECT_TRUE(OkEnabled());
  Profiles().UserSelect(0);
  Find<TSpeedButton>("sbCreateMTU").UserClick();  // absent → 576, in memory only
  EXPECT_TRUE(Mtu().Enabled());
  EXPECT_EQ(Mtu().Text(), "576");
  EXPECT_EQ(Caption("lblMTU"), kDeleteValueText);
  EXPECT_FALSE(MtuOf(kDhcpCard)) << "nothing is written before OK";
  Profiles().UserSelect(1);
  EXPECT_EQ(Mtu().Text(), "1400") << "each adapter keeps its own edit";
  PressOk();
  EXPECT_EQ(MtuOf(kDhcpCard), 576u);
  EXPECT_EQ(MtuOf(kStaticCard), 1400u);

  // Deleting one adapter's value rewrites the others as they stand; a text
  // that is no number is written as 576.
  OpenNt4();
  EXPECT_EQ(Mtu().Text(), "576") << "the first adapter's value now exists";
  Mtu().UserType("abc");
  Profiles().UserSelect(1);
  Find<TSpeedButton>("sbCreateMTU").UserClick();
  EXPECT_FALSE(Mtu().Enabled());
  EXPECT_EQ(Mtu().Text(), "");
  EXPECT_EQ(Caption("lblMTU"), kCreateValueText);
  PressOk();
  EXPECT_FALSE(MtuOf(kStaticCard));
  EXPECT_EQ(MtuOf(kDhcpCard), 576u);
}

TEST_F(InternetPage, ComingBackToThePageShowsTheFirstAdapterThatEditsNowGoTo) {
  registry.SetDword(HKLM, kDhcpCard, "MTU", 1000);
  OpenNt4();
  Profiles().UserSelect(1);
  ShowPage("tsLogon");
  ShowPage("tsInternet");
  EXPECT_EQ(Profiles().ItemIndex(), 0);
  EXPECT_EQ(Mtu().Text(), "1000");
  EXPECT_EQ(Caption("lblIPAddress"), "IP address 192.168.1.20 (from DHCP)");
  Mtu().UserType("1200");
  PressOk();
  EXPECT_EQ(MtuOf(kDhcpCard), 1200u);
  EXPECT_EQ(MtuOf(kStaticCard), 1500u) << "the adapter that was shown before keeps its number";
}

TEST_F(InternetPage, AnAdapterWhoseKeyDoesNotOpenCanBeNeitherEditedNorWritten) {
  registry.SetRaw(HKLM, kLinkage, "Bind", kRegMultiSz,
                  Raw(std::string("\\Device\\E100B1\0\\Device\\Gone1\0\\Device\\NE20001\0\0", 46)));
  OpenNt4();
  ASSERT_EQ(Profiles().Items().size(), 3u);
  Profiles().UserSelect(1);
  EXPECT_EQ(Caption("lblIPAddress"), "IP address ");
  EXPECT_FALSE(Mtu().Enabled());
  EXPECT_EQ(Mtu().Text(), "");
  EXPECT_EQ(Caption("lblMTU"), kKeyMissingText);
  EXPECT_FALSE(Find<Control>("sbCreateMTU").Enabled());

  Profiles().UserSelect(2);
  EXPECT_TRUE(Find<Control>("sbCreateMTU").Enabled()) << "the next adapter's button is back";
  Mtu().UserType("1300");
  // Even when the key turns up meanwhile, nothing read from it is written.
  const char* gone = "SYSTEM\\CurrentControlSet\\Services\\Gone1\\Parameters\\Tcpip";
  registry.CreateKeyPath(HKLM, gone);
  PressOk();
  EXPECT_EQ(MtuOf(kStaticCard), 1300u);
  EXPECT_FALSE(registry.Value(HKLM, gone, "MTU"));

  // A key that reads but cannot be written is skipped at OK; the others are written.
  registry.DenyFullAccess(HKLM, kStaticCard);
  OpenNt4();
  Profiles().UserSelect(2);
  EXPECT_EQ(Mtu().Text(), "1300") << "read with read access only";
  Profiles().UserSelect(0);
  Find<TSpeedButton>("sbCreateMTU").UserClick();
  PressOk();
  EXPECT_EQ(MtuOf(kDhcpCard), 576u);
  EXPECT_EQ(MtuOf(kStaticCard), 1300u);
}

TEST_F(InternetPage, NoBindingsDisableTheMtuGroupButNotTheTtl) {
  registry.RemoveValue(HKLM, kLinkage, "Bind");
  OpenNt4();
  EXPECT_EQ(Caption("lblTCPBindings"), "TCP/IP profile: not found bindings for TCP/IP.");
  for (const char* name : {"gbMTU", "cbTCPProfile", "edMTU", "sbCreateMTU", "lblMTU", "lblIPAddress"}) {
    EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  }
  ShowPage("tsInternet");
  EXPECT_EQ(Profiles().ItemIndex(), -1);
  EXPECT_TRUE(Find<Control>("gbTTL").Enabled());
  EXPECT_TRUE(Find<Control>("sbCreateTTL").Enabled());
}

TEST_F(InternetPage, TtlButtonActsAtOnceAndOkWritesThePositionOnlyWhileTheValueExists) {
  OpenNt4();
  Find<TUpDown>("udTTL").UserArrowClick(UpDownButton::Up);
  EXPECT_TRUE(OkEnabled()) << "the spinner stays enabled beside the disabled edit";
  EXPECT_TRUE(form().Modified(SettingGroup::TTL));
  PressOk();
  EXPECT_TRUE(Writes().empty()) << "no value to write";

  OpenNt4();
  auto& spin = Find<TUpDown>("udTTL");
  Find<TSpeedButton>("sbCreateTTL").UserClick();
  EXPECT_EQ(registry.Dword(HKLM, kParameters, "DefaultTTL"), 128u) << "written at once";
  EXPECT_TRUE(Find<Control>("edTTL").Enabled());
  EXPECT_EQ(Caption("lblTTL"), kDeleteValueText);
  EXPECT_TRUE(OkEnabled());
  spin.UserArrowClick(UpDownButton::Up);
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kParameters, "DefaultTTL"), 129u);

  OpenNt4();
  EXPECT_EQ(Find<TUpDown>("udTTL").Position(), 129);
  Find<TSpeedButton>("sbCreateTTL").UserClick();
  EXPECT_FALSE(registry.Dword(HKLM, kParameters, "DefaultTTL")) << "deleted at once";
  EXPECT_EQ(Find<TEdit>("edTTL").Text(), "");
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_TRUE(Writes().empty()) << "a deleted value is not written back";

  // Without the parameters key the group is off and the button writes nothing.
  registry.RemoveKey(HKLM, kParameters);
  OpenNt4();
  EXPECT_FALSE(Find<Control>("gbTTL").Enabled());
}

TEST_F(InternetPage, ATtlOfAnotherTypeStopsTheLoadAndLeavesNothingToSave) {
  registry.SetString(HKLM, kParameters, "DefaultTTL", "128");
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_EQ(services.errors, std::vector<std::string>{"Invalid data type for 'DefaultTTL'"});
  for (const char* name : {"cbTCPProfile", "edMTU", "sbCreateMTU", "edTTL", "udTTL", "sbCreateTTL"}) {
    EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  }
  EXPECT_FALSE(Find<Control>("cbProtectionMode").Enabled()) << "a later page";
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(form().Flags().AnyRaised());

  // Showing the page again picks the first adapter but gives back nothing.
  registry.SetDword(HKLM, kDhcpCard, "MTU", 1000);
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  ShowPage("tsInternet");
  EXPECT_EQ(Profiles().ItemIndex(), 0);
  EXPECT_FALSE(Mtu().Enabled());
  EXPECT_FALSE(Find<Control>("sbCreateMTU").Enabled());
}

TEST_F(InternetPage, AboveNt4ThePageIsHiddenAndNothingOfItIsReadOrWritten) {
  LoadRegFile(registry, FixturePath("win2k.reg"));
  registry.SetDword(HKLM, kParameters, "DefaultTTL", 64);
  Open(ScriptedSystem::Win2000Professional());
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  EXPECT_FALSE(Find<TTabSheet>("tsInternet").TabVisible());
  for (const std::string& call : registry.CallTrace()) {
    EXPECT_EQ(call.find("Tcpip"), std::string::npos) << call;
  }
  Box("cbProtectionMode").UserClick();
  PressOk();
  for (const std::string& write : Writes()) {
    EXPECT_TRUE(write.find("MTU") == std::string::npos && write.find("DefaultTTL") == std::string::npos) << write;
  }
}

}  // namespace
}  // namespace varnox::test
