// Every caption whole: on each page of the window and in the options panel,
// no caption is wider than the room its control gives it, none is cut by
// its parent's edge and none runs under a sibling. Measured as the control
// draws it, with the font the control itself holds.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "page_scenario.h"

namespace varnox::test {
namespace {

// Where a check box or radio button's text starts: the glyph (13 pixels at
// 96 dots per inch) and the gap after it.
constexpr int kGlyphRoom = 13 + 4;
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
      room.left = kGlyphRoom;
      left = kGlyphRoom;
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

    // No sibling lies over it; a shadow under the same text is meant to, and
    // a static without text (a bevel's line, an empty label) draws none.
    for (HWND other : showing) {
      if (other == window || GetParent(other) != parent || TextOf(other) == caption.text) continue;
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
