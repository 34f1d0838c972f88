#include "toolkit/win32/list_views.h"

#include <commctrl.h>

#include "toolkit/design_font.h"
#include "toolkit/win32/form_view.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

namespace {

constexpr int kDropDownHeight = 200;  // the list below a drop-down combo box
constexpr int kSmallImageSize = 16;

// A strip of square pictures drawn `kSmallImageSize` pixels each, made
// `size` pixels each; its top-left pixel's colour is the transparent one.
// Enlarged by repeating pixels, never by blending them: the pictures stay
// sharp and the transparent colour exact.
HIMAGELIST LoadImageStrip(HINSTANCE module, const std::wstring& name, int size) {
  if (size == kSmallImageSize) {
    return ImageList_LoadImageW(module, name.c_str(), kSmallImageSize, 0, CLR_DEFAULT, IMAGE_BITMAP,
                                LR_CREATEDIBSECTION);
  }
  HANDLE drawn = LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!drawn) return nullptr;
  BITMAP bitmap = {};
  GetObjectW(drawn, sizeof bitmap, &bitmap);
  DeleteObject(drawn);
  const int count = bitmap.bmWidth / kSmallImageSize;
  if (count <= 0) return nullptr;
  auto* strip = static_cast<HBITMAP>(LoadImageW(module, name.c_str(), IMAGE_BITMAP, count * size, size, 0));
  if (!strip) return nullptr;
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 1);
  if (list) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    const COLORREF transparent = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(list, strip, transparent);
  }
  DeleteObject(strip);
  return list;
}

}  // namespace

// --- combo box ---

ControlView::WindowRecipe ComboBoxView::Recipe() const { return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0}; }

void ComboBoxView::ApplyAll() {
  ControlView::ApplyAll();
  Apply(Property::Bounds);
  Apply(Property::Items);
}

void ComboBoxView::Apply(Property property) {
  switch (property) {
    case Property::Text:
      return;  // a drop-down list shows its selected item
    case Property::Bounds: {
      // The window's height includes the dropped-down list.
      const LayoutBounds place = form_.PlaceOf(box_);
      SetWindowPos(Window(), nullptr, place.left, place.top, place.width, place.height + kDropDownHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case Property::Items:
      SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
      for (const std::string& item : box_.Items()) {
        const std::wstring text = Utf8ToWide(item);
        SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
      [[fallthrough]];
    case Property::ItemIndex:
      SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(box_.ItemIndex()), 0);
      return;
    default:
      ControlView::Apply(property);
  }
}

void ComboBoxView::Command(HWND /*from*/, UINT code) {
  if (code != CBN_SELCHANGE) return;
  const int index = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
  User([&] { box_.UserSelect(index); });
  Resync(Property::ItemIndex);
}

// --- list view ---

ListViewView::~ListViewView() {
  if (images_) ImageList_Destroy(static_cast<HIMAGELIST>(images_));
}

ControlView::WindowRecipe ListViewView::Recipe() const {
  DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
  if (!list_.HideSelection()) style |= LVS_SHOWSELALWAYS;
  if (!list_.ColumnClick()) style |= LVS_NOSORTHEADER;
  return {WC_LISTVIEWW, style, WS_EX_CLIENTEDGE};
}

void ListViewView::ApplyAll() {
  ControlView::ApplyAll();
  SendMessageW(Window(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  ApplyImages();
  ApplyColumns();
  ApplyItems();
  ApplySelection();
}

void ListViewView::Apply(Property property) {
  switch (property) {
    case Property::Text:
      return;
    case Property::Style:
      SetStyleBit(LVS_SHOWSELALWAYS, !list_.HideSelection());
      SetStyleBit(LVS_NOSORTHEADER, !list_.ColumnClick());
      ApplyImages();
      return;
    case Property::Items:
      ApplyColumns();
      ApplyItems();
      ApplySelection();
      return;
    case Property::ItemIndex:
      ApplySelection();
      return;
    default:
      ControlView::Apply(property);
  }
}

void ListViewView::ApplyImages() {
  if (images_ || list_.SmallImages().empty()) return;
  // The named bitmap strip of 16-pixel pictures, at the screen's density; an
  // empty list keeps the rows aligned when the library has none.
  const int size = SizeAtDpi(kSmallImageSize, form_.Dpi());
  HIMAGELIST images = LoadImageStrip(form_.Resources(), Utf8ToWide(list_.SmallImages()), size);
  if (!images) images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 1);
  images_ = images;
  SendMessageW(Window(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void ListViewView::ApplyColumns() {
  const std::vector<TListColumn>& columns = list_.Columns();
  for (; columns_ > 0; --columns_) SendMessageW(Window(), LVM_DELETECOLUMN, 0, 0);
  for (const TListColumn& column : columns) {
    std::wstring caption = Utf8ToWide(column.caption);
    LVCOLUMNW entry = {};
    entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    entry.cx = form_.Scale().X(column.width);
    entry.pszText = caption.data();
    entry.iSubItem = columns_;
    SendMessageW(Window(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_), reinterpret_cast<LPARAM>(&entry));
    ++columns_;
  }
}

void ListViewView::ApplyItems() {
  SendMessageW(Window(), LVM_DELETEALLITEMS, 0, 0);
  const std::vector<TListItem>& items = list_.Items();
  for (std::size_t row = 0; row < items.size(); ++row) {
    const TListItem& item = items[row];
    std::wstring caption = Utf8ToWide(item.caption);
    LVITEMW entry = {};
    entry.mask = LVIF_TEXT | LVIF_IMAGE;
    entry.iItem = static_cast<int>(row);
    entry.pszText = caption.data();
    entry.iImage = item.imageIndex;
    SendMessageW(Window(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    for (std::size_t column = 0; column < item.subItems.size(); ++column) {
      std::wstring text = Utf8ToWide(item.subItems[column]);
      LVITEMW sub = {};
      sub.iSubItem = static_cast<int>(column + 1);
      sub.pszText = text.data();
      SendMessageW(Window(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
    }
  }
}

void ListViewView::ApplySelection() {
  const int count = static_cast<int>(list_.Items().size());
  for (int row = 0; row < count; ++row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = (row == list_.Selected() ? LVIS_SELECTED : 0u) | (row == list_.ItemFocused() ? LVIS_FOCUSED : 0u);
    SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  }
  if (list_.Selected() >= 0) SendMessageW(Window(), LVM_ENSUREVISIBLE, list_.Selected(), FALSE);
}

bool ListViewView::HandleMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
  if (window == Window() && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) clicking_ = true;
  return false;
}

// The control has selected the clicked row (or, on empty space, none) by
// the time it reports the click. Asking for that selection rather than
// hit-testing the message position also holds for clicks that did not come
// from the mouse under the cursor (assistive tools post them).
int ListViewView::ClickedRow() const {
  return static_cast<int>(SendMessageW(Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool ListViewView::Notify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case NM_CLICK: {
      clicking_ = false;
      const int row = ClickedRow();
      User([&] { list_.UserClickItem(row); });
      Resync(Property::ItemIndex);
      result = 0;
      return true;
    }
    case LVN_KEYDOWN:
      clicking_ = false;
      result = 0;
      return true;
    case NM_RCLICK:
      // A right click has no NM_CLICK to end it.
      clicking_ = false;
      return false;
    case LVN_ITEMCHANGED: {
      // Arrow keys, and assistive tools that select a row, move the
      // selection without a click; the model hears of the row selected as a
      // click on it. A mouse click reports once, by its own notification.
      // The view's own selection is an echo of the model, not the user.
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool selected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
      if (!clicking_ && selected) {
        User([&] { list_.UserClickItem(change.iItem); });
        Resync(Property::ItemIndex);
      }
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace varnox
