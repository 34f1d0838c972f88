#include "toolkit/win32/button_views.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "toolkit/win32/form_view.h"
#include "toolkit/win32/visual_styles.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

namespace {

// comctl32 6 only; older buttons ignore the message and show the caption alone.
constexpr UINT kSetImageList = 0x1602;  // BCM_SETIMAGELIST
constexpr UINT kSetShield = 0x160C;     // BCM_SETSHIELD, Vista and later
struct ButtonImageList {
  HIMAGELIST list;
  RECT margin;
  UINT align;
};

WPARAM CheckOf(TCheckBoxState state) {
  switch (state) {
    case cbChecked:
      return BST_CHECKED;
    case cbGrayed:
      return BST_INDETERMINATE;
    case cbUnchecked:
      break;
  }
  return BST_UNCHECKED;
}

HBITMAP LoadBitmapResource(HINSTANCE module, const std::string& name) {
  if (name.empty()) return nullptr;
  const std::wstring wide = Utf8ToWide(name);
  return static_cast<HBITMAP>(LoadImageW(module, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

// --- check box ---

ControlView::WindowRecipe CheckBoxView::Recipe() const {
  // Not an automatic box: the model picks the next state, grey included.
  return {L"BUTTON", BS_3STATE, 0};
}

void CheckBoxView::ApplyAll() {
  ControlView::ApplyAll();
  Apply(Property::State);
}

void CheckBoxView::Apply(Property property) {
  if (property == Property::State) {
    SendMessageW(Window(), BM_SETCHECK, CheckOf(box_.State()), 0);
    return;
  }
  ControlView::Apply(property);
}

void CheckBoxView::Command(HWND /*from*/, UINT code) {
  if (code != BN_CLICKED) return;
  User([&] { box_.UserClick(); });
  Resync(Property::State);
}

// --- radio button ---

ControlView::WindowRecipe RadioButtonView::Recipe() const { return {L"BUTTON", BS_RADIOBUTTON, 0}; }

void RadioButtonView::ApplyAll() {
  ControlView::ApplyAll();
  Apply(Property::State);
}

void RadioButtonView::Apply(Property property) {
  if (property == Property::State) {
    SendMessageW(Window(), BM_SETCHECK, button_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    return;
  }
  ControlView::Apply(property);
}

void RadioButtonView::Command(HWND /*from*/, UINT code) {
  if (code != BN_CLICKED) return;
  User([&] { button_.UserClick(); });
  Resync(Property::State);
}

// --- push button ---

ButtonView::~ButtonView() {
  if (glyphs_) ImageList_Destroy(static_cast<HIMAGELIST>(glyphs_));
}

ControlView::WindowRecipe ButtonView::Recipe() const {
  return {L"BUTTON", static_cast<DWORD>(button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
}

void ButtonView::Apply(Property property) {
  if (property == Property::Style) {
    SendMessageW(Window(), BM_SETSTYLE, button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, !Creating());
    if (button_.ElevationShield()) SendMessageW(Window(), kSetShield, 0, TRUE);
    ApplyGlyph();
    return;
  }
  ControlView::Apply(property);
}

void ButtonView::ApplyGlyph() {
  const auto* bitButton = dynamic_cast<const TBitBtn*>(&button_);
  if (!bitButton || glyphs_) return;
  HBITMAP bitmap = LoadBitmapResource(form_.Resources(), bitButton->Glyph());
  if (!bitmap) return;
  BITMAP size = {};
  GetObjectW(bitmap, sizeof size, &size);
  HIMAGELIST list = ImageList_Create(size.bmWidth, size.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (list) {
    // The bottom-left pixel is the transparent colour of a glyph.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF transparent = GetPixel(dc, 0, size.bmHeight - 1);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(list, bitmap, transparent);
    ButtonImageList images = {list, {2, 0, 2, 0}, 0 /* left */};
    SendMessageW(Window(), kSetImageList, 0, reinterpret_cast<LPARAM>(&images));
    glyphs_ = list;
  }
  DeleteObject(bitmap);
}

void ButtonView::Command(HWND /*from*/, UINT code) {
  if (code == BN_CLICKED) User([&] { button_.UserClick(); });
}

// --- speed button ---

SpeedButtonView::~SpeedButtonView() {
  if (glyph_) DeleteObject(glyph_);
}

ControlView::WindowRecipe SpeedButtonView::Recipe() const {
  DWORD style = BS_PUSHBUTTON;
  if (button_.Flat()) style |= BS_FLAT;
  return {L"BUTTON", style, 0};
}

void SpeedButtonView::Apply(Property property) {
  if (property == Property::Style) {
    SetStyleBit(BS_FLAT, button_.Flat());
    if (!glyph_) glyph_ = LoadBitmapResource(form_.Resources(), button_.Glyph());
    if (glyph_) {
      SetStyleBit(BS_BITMAP, true);
      SendMessageW(Window(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_));
    }
    if (!Creating()) InvalidateRect(Window(), nullptr, TRUE);
    return;
  }
  ControlView::Apply(property);
}

void SpeedButtonView::Command(HWND /*from*/, UINT code) {
  if (code != BN_CLICKED) return;
  User([&] { button_.UserClick(); });
  // A speed button never keeps the focus: it goes back where the model has it.
  form_.RestoreFocus();
}

// --- group box ---

ControlView::WindowRecipe GroupBoxView::Recipe() const { return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0}; }

bool GroupBoxView::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (window != Window()) return false;
  switch (message) {
    case WM_NCHITTEST:
      // A group box lets the mouse through to what lies below; ours is a
      // control of its own, with its own hint and mouse events.
      result = HTCLIENT;
      return true;
    case WM_ERASEBKGND: {
      // A group box leaves its inside to its parent to paint; ours holds its
      // controls, so the parent cannot.
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               form_.Gdi().Brush(ResolveColor(Ctl().Color(), GetSysColor(COLOR_BTNFACE))));
      result = 1;
      return true;
    }
    default:
      return false;
  }
}

// --- radio group ---

namespace {

constexpr int kCaptionSpace = 14;  // below the group box's caption line
constexpr int kSideMargin = 8;
constexpr int kButtonHeight = 17;

}  // namespace

void RadioGroupView::ApplyAll() {
  GroupBoxView::ApplyAll();
  ApplyItems();
}

void RadioGroupView::Apply(Property property) {
  switch (property) {
    case Property::Items:
      ApplyItems();
      return;
    case Property::ItemIndex:
      ApplyChecks();
      return;
    case Property::Bounds:
      GroupBoxView::Apply(property);
      ApplyItems();
      return;
    case Property::Font:
      GroupBoxView::Apply(property);
      for (HWND button : buttons_) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
      return;
    case Property::Enabled:
      GroupBoxView::Apply(property);
      for (HWND button : buttons_) EnableWindow(button, group_.Enabled());
      return;
    default:
      GroupBoxView::Apply(property);
  }
}

void RadioGroupView::ApplyItems() {
  for (HWND button : buttons_) DestroyWindow(button);
  buttons_.clear();
  const std::vector<std::string>& items = group_.Items();
  if (items.empty()) return;
  VisualStyleContext::Scope styled(form_.Styles());
  // The group's own window gives the room; the margins grow with the font.
  const LayoutScale& scale = form_.Scale();
  RECT client;
  GetClientRect(Window(), &client);
  const int captionSpace = scale.Y(kCaptionSpace);
  const int sideMargin = scale.X(kSideMargin);
  const int count = static_cast<int>(items.size());
  const int row = std::max(1, static_cast<int>(client.bottom - captionSpace - scale.Y(4)) / count);
  const int height = std::min(row, scale.Y(kButtonHeight));
  for (int i = 0; i < count; ++i) {
    const std::wstring caption = Utf8ToWide(items[static_cast<std::size_t>(i)]);
    HWND button = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, sideMargin,
                                  captionSpace + i * row + (row - height) / 2,
                                  static_cast<int>(client.right) - 2 * sideMargin, height, Window(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), form_.Resources(), nullptr);
    if (!button) continue;
    Adopt(button);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    EnableWindow(button, group_.Enabled());
    buttons_.push_back(button);
  }
  ApplyChecks();
}

void RadioGroupView::ApplyChecks() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const bool checked = static_cast<int>(i) == group_.ItemIndex();
    SendMessageW(buttons_[i], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void RadioGroupView::Command(HWND from, UINT code) {
  if (code != BN_CLICKED) return;
  const auto found = std::find(buttons_.begin(), buttons_.end(), from);
  if (found == buttons_.end()) return;
  const int index = static_cast<int>(found - buttons_.begin());
  User([&] { group_.UserSelect(index); });
  Resync(Property::ItemIndex);
}

}  // namespace varnox
