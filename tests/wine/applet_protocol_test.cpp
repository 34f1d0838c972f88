// The real varnox.cpl driven as the Control Panel drives it: loaded with
// LoadLibrary, its one export found by name, the messages sent in turn.

#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "cpl_library.h"

namespace {

using varnox::test::CplLibrary;

struct Observed {
  HWND window = nullptr;
  HWND owner = nullptr;
  std::string caption;
  std::string name;
  LONG_PTR exStyle = 0;
  LONG_PTR style = 0;
  RECT client = {};
  bool ownerDisabled = false;
};

Observed g_observed;
HWND g_ownerWindow = nullptr;

BOOL CALLBACK FindConfForm(HWND window, LPARAM found) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "TConfForm" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// Runs inside the applet's modal loop: looks at the window, then presses Esc.
void CALLBACK InspectAndEscape(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND form = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindConfForm, reinterpret_cast<LPARAM>(&form));
  if (!form) return;  // not shown yet: wait for the next tick
  KillTimer(nullptr, timer);
  g_observed.window = form;
  g_observed.owner = GetWindow(form, GW_OWNER);
  char caption[256] = {};
  GetWindowTextA(form, caption, sizeof caption);
  g_observed.caption = caption;
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(form, "Name")));
  char name[64] = {};
  if (atom) GlobalGetAtomNameA(atom, name, sizeof name);
  g_observed.name = name;
  g_observed.exStyle = GetWindowLongPtrA(form, GWL_EXSTYLE);
  g_observed.style = GetWindowLongPtrA(form, GWL_STYLE);
  GetClientRect(form, &g_observed.client);
  g_observed.ownerDisabled = g_ownerWindow && !IsWindowEnabled(g_ownerWindow);
  PostMessageA(form, WM_KEYDOWN, VK_ESCAPE, 0);
}

HWND MakeOwnerWindow() {
  return CreateWindowExA(0, "STATIC", "Control Panel stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(AppletProtocol, AnswersEveryMessageAsTheControlPanelExpects) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded()) << cpl.Path();

  EXPECT_EQ(cpl.Send(nullptr, CPL_GETCOUNT, 0, 0), 1) << "count is known before CPL_INIT";

  std::array<unsigned char, sizeof(CPLINFO)> untouched;
  untouched.fill(0x5A);
  auto record = untouched;
  for (UINT message : {0u, UINT(CPL_INQUIRE), UINT(CPL_SELECT), UINT(CPL_STOP), UINT(CPL_STARTWPARMS)}) {
    EXPECT_EQ(cpl.Send(nullptr, message, 0, reinterpret_cast<LPARAM>(record.data())), 0) << message;
    EXPECT_EQ(record, untouched) << "message " << message << " changed the caller's record";
  }

  HWND owner = MakeOwnerWindow();
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(cpl.Send(owner, CPL_INIT, 0, 0), 1);

  NEWCPLINFOA info;
  std::memset(&info, 0xEE, sizeof info);
  EXPECT_EQ(cpl.Send(owner, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.dwSize, sizeof(NEWCPLINFOA));
  EXPECT_EQ(info.dwFlags, 0u);
  EXPECT_EQ(info.dwHelpContext, 0u);
  EXPECT_EQ(info.lData, 0u);
  EXPECT_EQ(info.hIcon, LoadIconA(cpl.Module(), "MAINICON"));
  EXPECT_NE(info.hIcon, nullptr);
  EXPECT_STREQ(info.szName, "Varnox");
  EXPECT_STREQ(info.szInfo, "Configures Windows NT/2000/XP/2003");
  EXPECT_EQ(info.szHelpFile[0], '\0');
  EXPECT_EQ(static_cast<unsigned char>(info.szHelpFile[1]), 0xEE) << "bytes behind the NUL stay the caller's";
  EXPECT_EQ(static_cast<unsigned char>(info.szName[7]), 0xEE);
  if (sizeof(void*) == 4) {
    EXPECT_EQ(sizeof(NEWCPLINFOA), 244u);
  }

  EXPECT_EQ(cpl.Send(owner, CPL_EXIT, 0, 0), 0);
  DestroyWindow(owner);
}

TEST(AppletProtocol, EachDoubleClickOpensAFreshModalWindowUnderTheInitWindow) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded()) << cpl.Path();
  g_ownerWindow = MakeOwnerWindow();
  HWND other = MakeOwnerWindow();
  ASSERT_EQ(cpl.Send(g_ownerWindow, CPL_INIT, 0, 0), 1);

  std::vector<HWND> windows;
  for (int round = 0; round < 2; ++round) {
    g_observed = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &InspectAndEscape);
    ASSERT_NE(timer, 0u);
    // The handle sent with CPL_DBLCLK is not the parent: the one of CPL_INIT is.
    EXPECT_EQ(cpl.Send(other, CPL_DBLCLK, 0, 0), 0);
    KillTimer(nullptr, timer);

    ASSERT_NE(g_observed.window, nullptr) << "no window was shown in round " << round;
    EXPECT_EQ(g_observed.owner, g_ownerWindow);
    EXPECT_EQ(g_observed.caption, "Varnox- freeware tool for tuning Windows NT/2000/XP/2003");
    EXPECT_EQ(g_observed.name, "ConfForm");
    EXPECT_TRUE(g_observed.exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(g_observed.style & WS_SYSMENU) << "no border icons";
    // The design's 365 × 393, grown with the font the window got.
    EXPECT_GE(g_observed.client.right, 365);
    EXPECT_GE(g_observed.client.bottom, 393);
    EXPECT_TRUE(g_observed.ownerDisabled) << "the window is modal to the Control Panel";
    EXPECT_FALSE(IsWindow(g_observed.window)) << "the window is destroyed before CPL_DBLCLK returns";
    EXPECT_TRUE(IsWindowEnabled(g_ownerWindow));
    windows.push_back(g_observed.window);
  }

  EXPECT_EQ(cpl.Send(g_ownerWindow, CPL_STOP, 0, 0), 0);
  EXPECT_EQ(cpl.Send(g_ownerWindow, CPL_EXIT, 0, 0), 0);
  DestroyWindow(other);
  DestroyWindow(g_ownerWindow);
}

}  // namespace
