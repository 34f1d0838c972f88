#include "toolkit/win32/gdi_cache.h"

#include "toolkit/win32/wide_text.h"

namespace varnox {

COLORREF ResolveColor(TColor color, COLORREF fallback) {
  if (color == clDefault) return fallback;
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

GdiCache::~GdiCache() {
  // The DC goes first: it may hold one of the fonts.
  if (measuring_) DeleteDC(measuring_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

HFONT GdiCache::Font(const FontKey& key) {
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  const std::wstring face = Utf8ToWide(key.name);
  HFONT font =
      CreateFontW(key.height, 0, 0, 0, (key.style & fsBold) ? FW_BOLD : FW_NORMAL, (key.style & fsItalic) != 0,
                  (key.style & fsUnderline) != 0, (key.style & fsStrikeOut) != 0, static_cast<BYTE>(key.charset),
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  if (!font)
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // stock: never deleted below
  else
    fonts_.emplace(key, font);
  return font;
}

SIZE GdiCache::TextExtent(HFONT font, const std::wstring& text) {
  if (!measuring_) measuring_ = CreateCompatibleDC(nullptr);
  if (!measuring_) return {0, 0};
  SelectObject(measuring_, font);
  if (text.empty()) {
    TEXTMETRICW metrics;
    GetTextMetricsW(measuring_, &metrics);
    return {0, metrics.tmHeight};
  }
  // One line measures as it draws, and far cheaper than through DrawText:
  // the window measures every caption it lays out.
  if (text.find_first_of(L"\r\n") == std::wstring::npos) {
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(measuring_, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
  }
  RECT extent = {0, 0, 0, 0};
  DrawTextW(measuring_, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
  return {extent.right - extent.left, extent.bottom - extent.top};
}

HBRUSH GdiCache::Brush(COLORREF color) {
  if (auto found = brushes_.find(color); found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.emplace(color, brush);
  return brush;
}

}  // namespace varnox
