#include "applet/applet.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "scripted_system.h"

namespace varnox {
namespace {

struct WindowLog {
  std::vector<std::string> events;
  WindowHandle parent = 0;
};

class RecordingWindow : public ModalWindow {
 public:
  RecordingWindow(WindowLog& log, bool failModal) : log_(log), failModal_(failModal) {
    log_.events.push_back("create");
  }
  ~RecordingWindow() override { log_.events.push_back("destroy"); }
  void SetCaption(const std::string& caption) override { log_.events.push_back("caption:" + caption); }
  void SetToolWindowBorder() override { log_.events.push_back("toolwindow"); }
  void ShowModal() override {
    log_.events.push_back("modal");
    if (failModal_) throw std::runtime_error("modal failed");
  }

 private:
  WindowLog& log_;
  bool failModal_;
};

std::unique_ptr<AppletHost> MakeHost(WindowLog& log, bool failModal = false) {
  auto host = std::make_unique<AppletHost>();
  auto applet = std::make_unique<TApplet>([&log, failModal](WindowHandle parent) {
    log.parent = parent;
    return std::make_unique<RecordingWindow>(log, failModal);
  });
  applet->Name = "Varnox";
  applet->Info = "Configures Windows NT/2000/XP/2003";
  applet->Icon = 0x1234;
  host->Register(std::move(applet));
  return host;
}

std::uint32_t DwordAt(const std::uint8_t* record, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

TEST(AppletProtocol, AnswersBeforeInitAndIgnoresInformationalMessages) {
  WindowLog log;
  auto host = MakeHost(log);
  EXPECT_EQ(host->Dispatch(0, kCplGetCount, 0, 0), 1);
  for (std::uint32_t message : {0u, unsigned(kCplInquire), unsigned(kCplSelect), unsigned(kCplStop), 9u, 10u}) {
    std::array<std::uint8_t, 64> record;
    record.fill(0xAB);
    EXPECT_EQ(host->Dispatch(0x77, message, 0, reinterpret_cast<std::intptr_t>(record.data())), 0) << message;
    EXPECT_EQ(record[0], 0xAB) << "message " << message << " touched the caller's record";
  }
  EXPECT_EQ(host->ControlPanelWindow(), 0u);
  EXPECT_TRUE(log.events.empty());
}

TEST(AppletProtocol, DoubleClickOpensUnderTheInitWindowAndAlwaysDestroys) {
  WindowLog log;
  auto host = MakeHost(log);
  EXPECT_EQ(host->Dispatch(0x1111, kCplInit, 0, 0), 1);
  EXPECT_EQ(host->Dispatch(0x2222, kCplDblClk, 0, 0), 0);
  EXPECT_EQ(log.parent, 0x1111u);
  const std::vector<std::string> expected = {
      "create", "caption:Varnox- freeware tool for tuning Windows NT/2000/XP/2003", "toolwindow", "modal", "destroy"};
  EXPECT_EQ(log.events, expected);

  // A second double click builds a fresh window.
  log.events.clear();
  EXPECT_EQ(host->Dispatch(0x3333, kCplDblClk, 0, 0), 0);
  EXPECT_EQ(log.events, expected);
}

TEST(AppletProtocol, WindowIsDestroyedWhenTheModalLoopRaises) {
  WindowLog log;
  auto host = MakeHost(log, /*failModal=*/true);
  EXPECT_THROW(host->Dispatch(0, kCplDblClk, 0, 0), std::runtime_error);
  ASSERT_FALSE(log.events.empty());
  EXPECT_EQ(log.events.back(), "destroy");
  EXPECT_EQ(log.parent, 0u) << "without CPL_INIT the window is top-level";
}

TEST(AppletProtocol, IndexesOutsideTheListAndMessagesAfterExitAreRefused) {
  WindowLog log;
  auto host = MakeHost(log);
  std::array<std::uint8_t, 256> record{};
  EXPECT_NE(host->Dispatch(0, kCplDblClk, 1, 0), 0);
  EXPECT_NE(host->Dispatch(0, kCplDblClk, -1, 0), 0);
  EXPECT_NE(host->Dispatch(0, kCplNewInquire, 1, reinterpret_cast<std::intptr_t>(record.data())), 0);
  EXPECT_NE(host->Dispatch(0, kCplNewInquire, 0, 0), 0);
  EXPECT_TRUE(log.events.empty());

  EXPECT_EQ(host->Dispatch(0, kCplExit, 0, 0), 0);
  EXPECT_TRUE(host->Exited());
  EXPECT_EQ(host->Dispatch(0, kCplGetCount, 0, 0), 0);
  EXPECT_NE(host->Dispatch(0, kCplDblClk, 0, 0), 0);
  EXPECT_EQ(host->Dispatch(0, kCplExit, 0, 0), 0);
  EXPECT_TRUE(log.events.empty());
}

TEST(NewCplInfo, ThirtyTwoBitRecordIsFilledFieldByFieldAndLeavesTheRestAlone) {
  WindowLog log;
  auto host = MakeHost(log);
  std::array<std::uint8_t, 244> record;
  record.fill(0xCD);
  host->AppletByIndex(0)->FillNewCplInfo(record.data(), kNewCplInfo32);

  EXPECT_EQ(DwordAt(record.data(), 0), 244u);
  EXPECT_EQ(DwordAt(record.data(), 4), 0u);
  EXPECT_EQ(DwordAt(record.data(), 8), 0u);
  EXPECT_EQ(DwordAt(record.data(), 12), 0u);
  EXPECT_EQ(DwordAt(record.data(), 16), 0x1234u);
  EXPECT_STREQ(reinterpret_cast<const char*>(record.data() + 20), "Varnox");
  EXPECT_STREQ(reinterpret_cast<const char*>(record.data() + 52), "Configures Windows NT/2000/XP/2003");
  EXPECT_EQ(record[116], 0);
  // Behind each NUL the caller's bytes stay.
  for (std::size_t i = 20 + 7; i < 52; ++i) EXPECT_EQ(record[i], 0xCD) << i;
  for (std::size_t i = 52 + 35; i < 116; ++i) EXPECT_EQ(record[i], 0xCD) << i;
  for (std::size_t i = 117; i < 244; ++i) EXPECT_EQ(record[i], 0xCD) << i;
}

TEST(NewCplInfo, SixtyFourBitRecordPutsHandlesInTheirWiderFields) {
  WindowLog log;
  auto host = MakeHost(log);
  std::array<std::uint8_t, 252> record;
  record.fill(0xCD);
  host->AppletByIndex(0)->FillNewCplInfo(record.data(), kNewCplInfo64);
  EXPECT_EQ(DwordAt(record.data(), 0), 252u);
  EXPECT_EQ(DwordAt(record.data(), 12), 0u);
  EXPECT_EQ(DwordAt(record.data(), 16), 0u);
  EXPECT_EQ(DwordAt(record.data(), 20), 0x1234u);
  EXPECT_EQ(DwordAt(record.data(), 24), 0u);
  EXPECT_STREQ(reinterpret_cast<const char*>(record.data() + 28), "Varnox");
  EXPECT_STREQ(reinterpret_cast<const char*>(record.data() + 60), "Configures Windows NT/2000/XP/2003");
  EXPECT_EQ(record[124], 0);
  EXPECT_EQ(record[125], 0xCD);
}

TEST(NewCplInfo, OverlongTextsAreCutInsideTheirFields) {
  TApplet applet([](WindowHandle) -> std::unique_ptr<ModalWindow> { return nullptr; });
  applet.Name = std::string(40, 'N');
  applet.Info = std::string(80, 'I');
  std::array<std::uint8_t, 244> record;
  record.fill(0xCD);
  applet.FillNewCplInfo(record.data(), kNewCplInfo32);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + 20)), std::string(31, 'N'));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + 52)), std::string(63, 'I'));
}

TEST(RunDll32Host, ComparesFullPathsWithoutRegardToCase) {
  ScriptedSystem system;
  system.systemDirectory = "C:\\WINDOWS\\system32";
  struct Case {
    const char* host;
    bool expected;
  } cases[] = {
      {"c:\\windows\\SYSTEM32\\RunDll32.EXE", true},  {"C:\\WINDOWS\\system32\\rundll32.exe", true},
      {"C:\\WINDOWS\\explorer.exe", false},           {"C:\\WINDOWS\\SysWOW64\\rundll32.exe", false},
      {"C:\\WINDOWS\\SYSTEM32\\RUNDLL~1.EXE", false}, {"C:\\WINDOWS\\system32\\rundll32.exe.bak", false},
  };
  for (const Case& c : cases) {
    system.hostExecutablePath = c.host;
    EXPECT_EQ(IsRunDll32Host(system), c.expected) << c.host;
  }
}

}  // namespace
}  // namespace varnox
