#include "toolkit/win32/gdi_cache.h"

#include "toolkit/win32/wide_text.h"

namespace varnox {

COLORREF ResolveColor(TColor color, COLORREF fallback) {
  if (color == clDefault) return fallback;
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

GdiCache::~GdiCache() {
  for (auto& [spec, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

HFONT GdiCache::Font(const FontSpec& spec) {
  if (auto found = fonts_.find(spec); found != fonts_.end()) return found->second;
  const std::wstring face = Utf8ToWide(spec.name);
  HFONT font =
      CreateFontW(spec.height, 0, 0, 0, (spec.style & fsBold) ? FW_BOLD : FW_NORMAL, (spec.style & fsItalic) != 0,
                  (spec.style & fsUnderline) != 0, (spec.style & fsStrikeOut) != 0, static_cast<BYTE>(spec.charset),
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  if (!font)
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // stock: never deleted below
  else
    fonts_.emplace(spec, font);
  return font;
}

HBRUSH GdiCache::Brush(COLORREF color) {
  if (auto found = brushes_.find(color); found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.emplace(color, brush);
  return brush;
}

}  // namespace varnox
