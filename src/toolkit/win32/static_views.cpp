#include "toolkit/win32/static_views.h"

#include <algorithm>

#include "toolkit/design_font.h"
#include "toolkit/layout_scale.h"

#include "toolkit/win32/form_view.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

namespace {

DWORD AlignmentStyle(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::RightJustify:
      return SS_RIGHT;
    case TAlignment::Center:
      return SS_CENTER;
    case TAlignment::LeftJustify:
      break;
  }
  // Clipped, not wrapped, when the text is wider than the control.
  return SS_LEFTNOWORDWRAP;
}

// The alignment is the static control's type, the low bits of its style.
void SetAlignment(HWND window, TAlignment alignment) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | AlignmentStyle(alignment));
  InvalidateRect(window, nullptr, TRUE);
}

UINT EdgeOf(BevelCut cut, bool outer) {
  switch (cut) {
    case BevelCut::Raised:
      return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    case BevelCut::Lowered:
      return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    case BevelCut::None:
      break;
  }
  return 0;
}

// Paints through the window's own WM_PAINT; `draw` gets the DC and client.
template <class Draw>
void PaintWith(HWND window, Draw draw) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  draw(dc, client);
  EndPaint(window, &paint);
}

}  // namespace

// --- label ---

// A transparent label is painted after what lies beneath it, which shows
// through (the parent does not clip such a child away).
ControlView::WindowRecipe LabelView::Recipe() const {
  return {L"STATIC", SS_NOTIFY | AlignmentStyle(label_.Alignment()),
          static_cast<DWORD>(label_.Transparent() ? WS_EX_TRANSPARENT : 0)};
}

// Measured once, before the window is made at the size it takes; the window
// is made with its alignment, transparency, text and font.
void LabelView::Create() {
  FitToText();
  ControlView::Create();
}

void LabelView::Apply(Property property) {
  switch (property) {
    case Property::Style: {
      if (Creating()) return;
      SetAlignment(Window(), label_.Alignment());
      const LONG_PTR exStyle = GetWindowLongPtrW(Window(), GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT);
      SetWindowLongPtrW(Window(), GWL_EXSTYLE, exStyle | (label_.Transparent() ? WS_EX_TRANSPARENT : 0));
      FitToText();
      return;
    }
    case Property::Text:
    case Property::Font:
      ControlView::Apply(property);
      if (Creating()) return;
      FitToText();
      if (label_.Transparent()) {
        // What lay behind the old text shows through only if the parent repaints.
        RECT bounds;
        GetWindowRect(Window(), &bounds);
        MapWindowPoints(nullptr, GetParent(Window()), reinterpret_cast<POINT*>(&bounds), 2);
        InvalidateRect(GetParent(Window()), &bounds, TRUE);
      }
      return;
    default:
      ControlView::Apply(property);
  }
}

// The size is measured in pixels and told to the model in design units,
// the smallest that still holds the text once scaled.
void LabelView::FitToText() {
  if (!label_.AutoSize()) return;
  const SIZE extent = form_.Gdi().TextExtent(Font(), Utf8ToWide(label_.Caption()));
  const LayoutScale& scale = form_.Scale();
  int width = scale.DesignWidth(label_.Left(), extent.cx);
  const int height = scale.DesignHeight(label_.Top(), extent.cy);
  // A right-aligned label grows to the left, a centred one both ways.
  int left = label_.Left();
  if (label_.Alignment() != TAlignment::LeftJustify) {
    const int shift = label_.Width() - width;
    left += label_.Alignment() == TAlignment::RightJustify ? shift : shift / 2;
    width = scale.DesignWidth(left, extent.cx);
  }
  label_.SetBounds(left, label_.Top(), width, height);
}

int LabelView::RoomToTheRight() const {
  RECT parent;
  if (!GetClientRect(ParentWindow(), &parent)) return 0;
  return parent.right - form_.PlaceOf(label_).left;
}

// A heading in a face of its own may come out wider than the face it was
// drawn with, and no scale of the form's font foresees that: such a label
// that would run past its parent's right edge takes the largest smaller
// height that keeps it inside.
HFONT LabelView::Font() const {
  HFONT font = ControlView::Font();
  if (!label_.AutoSize() || label_.FontHeight() == 0) return font;
  const int room = RoomToTheRight();
  const std::wstring caption = Utf8ToWide(label_.Caption());
  if (room <= 0 || caption.empty()) return font;
  int height = form_.Scale().FontHeight(label_.FontHeight());
  const int sign = height < 0 ? -1 : 1;
  const int smallest = height * 2 / 3;  // beyond that, clipped rather than unreadable
  while (height != smallest && form_.Gdi().TextExtent(font, caption).cx > room) {
    height -= sign;
    font = form_.FontFor(label_, height);
  }
  return font;
}

HBRUSH LabelView::CtlColor(HDC dc, UINT message) {
  HBRUSH brush = ControlView::CtlColor(dc, message);
  if (!label_.Transparent()) return brush;
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void LabelView::Command(HWND /*from*/, UINT code) {
  if (code == STN_CLICKED) User([&] { label_.UserClick(); });
}

// --- static text ---

ControlView::WindowRecipe StaticTextView::Recipe() const {
  return {L"STATIC", SS_NOTIFY | AlignmentStyle(text_.Alignment()), 0};
}

void StaticTextView::Apply(Property property) {
  if (property == Property::Style) {
    if (!Creating()) SetAlignment(Window(), text_.Alignment());
    return;
  }
  ControlView::Apply(property);
}

void StaticTextView::Command(HWND /*from*/, UINT code) {
  if (code == STN_CLICKED) User([&] { text_.UserClick(); });
}

// --- panel ---

ControlView::WindowRecipe PanelView::Recipe() const { return {L"STATIC", SS_NOTIFY | WS_CLIPCHILDREN, 0}; }

void PanelView::Apply(Property property) {
  ControlView::Apply(property);
  if ((property == Property::Style || property == Property::Text) && !Creating()) {
    InvalidateRect(Window(), nullptr, TRUE);
  }
}

bool PanelView::HandleMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_PAINT || window != Window()) return false;
  PaintWith(window, [&](HDC dc, RECT client) {
    const COLORREF background = ResolveColor(panel_.Color(), GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &client, form_.Gdi().Brush(background));
    if (const UINT outer = EdgeOf(panel_.BevelOuter(), true)) {
      DrawEdge(dc, &client, outer, BF_RECT | BF_ADJUST);
    }
    if (const UINT inner = EdgeOf(panel_.BevelInner(), false)) {
      DrawEdge(dc, &client, inner, BF_RECT | BF_ADJUST);
    }
    const std::wstring caption = Utf8ToWide(panel_.Caption());
    if (!caption.empty()) {
      HGDIOBJ old = SelectObject(dc, Font());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ResolveColor(panel_.FontColor(), GetSysColor(COLOR_BTNTEXT)));
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(dc, old);
    }
  });
  result = 0;
  return true;
}

void PanelView::Command(HWND /*from*/, UINT code) {
  if (code == STN_CLICKED) User([&] { panel_.UserClick(); });
}

// --- bevel ---

ControlView::WindowRecipe BevelView::Recipe() const { return {L"STATIC", 0, 0}; }

// Once its neighbours exist: painted beneath them, as a frame around them.
void BevelView::Linked() {
  if (Window()) SetWindowPos(Window(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BevelView::Apply(Property property) {
  if (property == Property::Text) return;  // a bevel shows no text
  ControlView::Apply(property);
  if (property == Property::Style && !Creating()) InvalidateRect(Window(), nullptr, TRUE);
}

bool BevelView::HandleMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_PAINT || window != Window()) return false;
  PaintWith(window, [&](HDC dc, RECT client) {
    const bool raised = bevel_.Style() == BevelStyle::Raised;
    UINT edge = raised ? EDGE_BUMP : EDGE_ETCHED;
    UINT sides = BF_RECT;
    switch (bevel_.Shape()) {
      case BevelShape::Box:
        edge = raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER;
        break;
      case BevelShape::Frame:
        break;
      case BevelShape::TopLine:
        sides = BF_TOP;
        break;
      case BevelShape::BottomLine:
        sides = BF_BOTTOM;
        break;
      case BevelShape::LeftLine:
        sides = BF_LEFT;
        break;
      case BevelShape::RightLine:
        sides = BF_RIGHT;
        break;
      case BevelShape::Spacer:
        return;
    }
    DrawEdge(dc, &client, edge, sides);
  });
  result = 0;
  return true;
}

// --- image ---

ImageView::~ImageView() { ReleasePicture(); }

void ImageView::ReleasePicture() {
  if (!picture_) return;
  if (pictureType_ == IMAGE_ICON) {
    DestroyIcon(static_cast<HICON>(picture_));
  } else {
    DeleteObject(picture_);
  }
  picture_ = nullptr;
}

ControlView::WindowRecipe ImageView::Recipe() const { return {L"STATIC", SS_NOTIFY | SS_BITMAP, 0}; }

void ImageView::Apply(Property property) {
  if (property == Property::Text) return;
  if (property == Property::Style) {
    HANDLE picture = nullptr;
    UINT type = IMAGE_BITMAP;
    if (!image_.Picture().empty()) {
      const std::wstring name = Utf8ToWide(image_.Picture());
      // On a denser screen than the design's, the picture is made at its
      // control's design size at that density; an icon takes its nearest
      // drawn size.
      const SIZE size = PictureSize();
      picture = LoadImageW(form_.Resources(), name.c_str(), IMAGE_BITMAP, size.cx, size.cy, LR_DEFAULTCOLOR);
      if (!picture) {
        type = IMAGE_ICON;
        picture =
            LoadImageW(form_.Resources(), name.c_str(), IMAGE_ICON, size.cx, size.cy, size.cx ? 0 : LR_DEFAULTSIZE);
      }
    }
    const LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
    SetWindowLongPtrW(Window(), GWL_STYLE, style | (type == IMAGE_ICON ? SS_ICON : SS_BITMAP));
    SendMessageW(Window(), STM_SETIMAGE, type, reinterpret_cast<LPARAM>(picture));
    ReleasePicture();
    picture_ = picture;
    pictureType_ = type;
    // A picture control sizes itself to its picture; the layout's size rules.
    Apply(Property::Bounds);
    return;
  }
  if (property == Property::Bounds) {
    // The room grows to the picture where the font grew less than the density.
    const LayoutBounds place = form_.PlaceOf(image_);
    const SIZE size = PictureSize();
    SetWindowPos(Window(), nullptr, place.left, place.top, std::max<int>(place.width, size.cx),
                 std::max<int>(place.height, size.cy), SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  ControlView::Apply(property);
}

// Nothing at the design's density: the picture's own size.
SIZE ImageView::PictureSize() const {
  if (form_.Dpi() == kDesignDpi || form_.Dpi() <= 0) return {0, 0};
  return {SizeAtDpi(image_.Width(), form_.Dpi()), SizeAtDpi(image_.Height(), form_.Dpi())};
}

bool ImageView::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  // Without its picture the control would leave its area unpainted.
  if (message != WM_ERASEBKGND || window != Window()) return false;
  RECT client;
  GetClientRect(window, &client);
  FillRect(reinterpret_cast<HDC>(wParam), &client,
           form_.Gdi().Brush(ResolveColor(image_.Color(), GetSysColor(COLOR_BTNFACE))));
  result = 1;
  return true;
}

void ImageView::Command(HWND /*from*/, UINT code) {
  if (code == STN_CLICKED) User([&] { image_.UserClick(); });
}

}  // namespace varnox
