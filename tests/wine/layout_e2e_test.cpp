// Every caption whole: on each page of the window and in the options panel,
// no caption is wider than the room its control gives it, none is cut by
// its parent's edge and none runs under a sibling. Measured as the control
// draws it, with the font the control itself holds. Run at several screen
// densities: there the window's text is 8 points at that density, the
// pictures grow with it and the window still fits a screen of its kind.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "page_scenario.h"

namespace varnox::test {
namespace {

// The density the run asked Wine for.
int AskedDpi() {
  const char* dpi = std::getenv("VARNOX_DPI");
  return dpi ? std::atoi(dpi) : 96;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// Where a check box or radio button's text starts: the glyph (13 pixels at
// 96 dots per inch, growing with the density) and the gap after it.
int GlyphRoom() { return 12 * ScreenDpi() / 96 + 1 + 4; }
// A group box's caption starts this far in and must end before its frame.
constexpr int kGroupCaptionLeft = 8;
constexpr int kGroupFrame = 2;
// A push button's border on either side.
constexpr int kButtonBorder = 3;

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// What names a window in a failure: its own name, or its parent's.
std::string Label(HWND window) {
  const std::string name = NameOf(window);
  return name.empty() ? "an item of " + NameOf(GetParent(window)) : name;
}

SIZE Extent(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size;
}

struct Caption {
  HWND window;
  std::wstring text;
  RECT room;   // client coordinates of the window: where the text may go
  RECT drawn;  // where it goes, screen coordinates
};

// The caption a window draws, or false when it draws none.
bool CaptionOf(HWND window, Caption& caption) {
  caption.window = window;
  caption.text = TextOf(window);
  if (caption.text.empty()) return false;
  const std::wstring kind = ClassOf(window);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  RECT client;
  GetClientRect(window, &client);
  const SIZE size = Extent(window, caption.text);
  RECT room = client;
  int left = 0;
  if (lstrcmpiW(kind.c_str(), L"Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    if (type == SS_BITMAP || type == SS_ICON) return false;
    if (type == SS_CENTER) left = (client.right - size.cx) / 2;
    if (type == SS_RIGHT) left = client.right - size.cx;
  } else if (lstrcmpiW(kind.c_str(), L"Button") == 0) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
      room.left = kGroupCaptionLeft;
      room.right -= kGroupFrame;
      left = kGroupCaptionLeft;
    } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      room.left = kButtonBorder;
      room.right -= kButtonBorder;
      left = (client.right - size.cx) / 2;
      // A button with a picture beside its text.
      BUTTON_IMAGELIST images = {};
      int cx = 0;
      int cy = 0;
      if (SendMessageW(window, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) && images.himl &&
          ImageList_GetIconSize(images.himl, &cx, &cy)) {
        room.left += cx + images.margin.left + images.margin.right;
        left = room.left + (room.right - room.left - size.cx) / 2;
      }
    } else {
      room.left = GlyphRoom();
      left = GlyphRoom();
    }
  } else {
    return false;  // edits, lists and the like hold data, not captions
  }
  caption.room = room;
  caption.drawn = {left, (client.bottom - size.cy) / 2, left + size.cx, (client.bottom - size.cy) / 2 + size.cy};
  if (lstrcmpiW(kind.c_str(), L"Static") == 0) caption.drawn.top = 0, caption.drawn.bottom = size.cy;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&caption.drawn), 2);
  return true;
}

// Whether sibling `other` lies above `window` in the z-order.
bool Above(HWND other, HWND window) {
  for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (above == other) return true;
  }
  return false;
}

BOOL CALLBACK Collect(HWND window, LPARAM data) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

// Checks every caption that shows now; returns how many it checked.
int CheckShowingCaptions(HWND form, const std::string& where) {
  std::vector<HWND> showing;
  EnumChildWindows(form, &Collect, reinterpret_cast<LPARAM>(&showing));
  int checked = 0;
  for (HWND window : showing) {
    Caption caption;
    if (!CaptionOf(window, caption)) continue;
    // The options panel's strip below a closed window is not on the screen.
    HWND parent = GetParent(window);
    RECT area;
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    RECT bounds;
    GetWindowRect(window, &bounds);
    RECT inside;
    if (!IntersectRect(&inside, &bounds, &area)) continue;
    ++checked;
    RECT drawn = caption.drawn;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&drawn), 2);
    EXPECT_GE(drawn.left, caption.room.left) << where << ": " << Label(window) << " starts before its room";
    EXPECT_LE(drawn.right, caption.room.right) << where << ": " << Label(window) << " is " << drawn.right - drawn.left
                                               << " wide, its room " << caption.room.right - caption.room.left;
    EXPECT_LE(drawn.bottom - drawn.top, caption.room.bottom - caption.room.top)
        << where << ": " << Label(window) << " is taller than its control";

    // Its parent's edge does not cut it.
    IntersectRect(&inside, &caption.drawn, &area);
    EXPECT_TRUE(EqualRect(&inside, &caption.drawn)) << where << ": " << Label(window) << " runs past its parent";

    // No sibling lies over it: none above it that covers any of it. A
    // sibling beneath it is painted over, not over it; a shadow under the
    // same text is meant to lie there, and a static without text (a bevel's
    // line, an empty label) draws none.
    for (HWND other : showing) {
      if (other == window || GetParent(other) != parent || TextOf(other) == caption.text) continue;
      if (!Above(other, window)) continue;
      if (TextOf(other).empty() && lstrcmpiW(ClassOf(other).c_str(), L"Static") == 0) continue;
      GetWindowRect(other, &bounds);
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &caption.drawn, &bounds))
          << where << ": " << Label(window) << " runs under " << Label(other);
    }
  }
  return checked;
}

class Layout : public PageScenario {};

LOGFONTW FontOf(HWND window) {
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bitmap = {};
  GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  // A monochrome icon keeps its picture and mask in one bitmap twice as tall.
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// The smallest screen commonly met at a density, less a taskbar of 40
// pixels at 96 dots per inch grown with it: 1366 x 768 at 120 (125 %),
// 1920 x 1080 at 144 (150 %).
SIZE SmallestWorkArea(int dpi) {
  const SIZE screen = dpi <= 96 ? SIZE{1024, 768} : dpi <= 120 ? SIZE{1366, 768} : SIZE{1920, 1080};
  return {screen.cx, screen.cy - MulDiv(40, dpi, 96)};
}

TEST_F(Layout, TheTextIsEightPointsAtTheScreensDensityAndThePicturesAndTheWindowGrowWithIt) {
  const int dpi = AskedDpi();
  ASSERT_EQ(ScreenDpi(), dpi) << "Wine runs at the density the test asked for";
  Run([&](UiDriver& ui) {
    const int eightPoints = MulDiv(8, dpi, 72);
    for (const char* name : {"ApplyBtn", "lblProductVer", "gbOS"}) {
      const LOGFONTW font = FontOf(ui.Find(name));
      EXPECT_EQ(font.lfHeight, -eightPoints) << name << ": 8 points at " << dpi << " dots per inch";
      EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif") << name;
    }

    // The heading's picture: its icon at 32 pixels grown with the density,
    // within its control.
    HWND logo = ui.Find("LogoImage");
    const SIZE icon = IconSize(reinterpret_cast<HICON>(SendMessageW(logo, STM_GETIMAGE, IMAGE_ICON, 0)));
    RECT logoRoom;
    GetClientRect(logo, &logoRoom);
    EXPECT_EQ(icon.cx, MulDiv(32, dpi, 96)) << "the logo at " << dpi;
    EXPECT_EQ(icon.cx, icon.cy);
    EXPECT_LE(icon.cx, logoRoom.right) << "the logo fits its control";
    EXPECT_LE(icon.cy, logoRoom.bottom) << "the logo fits its control";

    // The device list's pictures, on the versions that show its page.
    const std::vector<std::wstring> pages = ui.TabCaptions("PageControl");
    if (std::find(pages.begin(), pages.end(), L"IDE/ATAPI") != pages.end()) {
      ui.SelectTab("PageControl", L"IDE/ATAPI");
      const auto images =
          reinterpret_cast<HIMAGELIST>(SendMessageW(ui.Find("lvDrives"), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
      int cx = 0;
      int cy = 0;
      ASSERT_TRUE(images && ImageList_GetIconSize(images, &cx, &cy));
      EXPECT_EQ(cx, MulDiv(16, dpi, 96));
      EXPECT_EQ(cy, cx);
      EXPECT_EQ(ImageList_GetImageCount(images), 4) << "every device kind's picture";
    }

    // The window on the smallest screen of its density, and on this one.
    RECT window;
    GetWindowRect(ui.Form(), &window);
    RECT client;
    GetClientRect(ui.Form(), &client);
    const SIZE area = SmallestWorkArea(dpi);
    EXPECT_LE(window.right - window.left, area.cx);
    EXPECT_LE(window.bottom - window.top, area.cy);
    RECT workArea;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0));
    RECT inside;
    IntersectRect(&inside, &window, &workArea);
    EXPECT_TRUE(EqualRect(&inside, &window)) << "the window lies inside the work area";
    // The design's client area is 365 x 393 at 96 dots per inch: at least that, grown.
    EXPECT_GE(client.right, MulDiv(365, dpi, 96) * 9 / 10);
    EXPECT_GE(client.bottom, MulDiv(393, dpi, 96) * 9 / 10);
    std::printf("%s at %d dots per inch: client %ld x %ld, window %ld x %ld\n", Version().c_str(), dpi, client.right,
                client.bottom, window.right - window.left, window.bottom - window.top);
    ui.Click("CancelBtn");
  });
}

TEST_F(Layout, EveryCaptionOnEveryPageAndInTheOptionsPanelIsWhole) {
  Run([](UiDriver& ui) {
    int checked = 0;
    for (const std::wstring& page : ui.TabCaptions("PageControl")) {
      ui.SelectTab("PageControl", page);
      const std::string where = Version() + " " + std::string(page.begin(), page.end());
      const int onPage = CheckShowingCaptions(ui.Form(), where);
      EXPECT_GT(onPage, 5) << where << " shows its captions";
      checked += onPage;
    }
    ui.Click("OptionsBtn");
    EXPECT_TRUE(ui.Visible("lblVisible2"));
    checked += CheckShowingCaptions(ui.Form(), Version() + " options panel");
    EXPECT_GT(checked, 150);
    ui.Click("CancelBtn");
  });
}

}  // namespace
}  // namespace varnox::test
