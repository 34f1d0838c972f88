#pragma once
// Fonts and brushes of one form, made on first use and deleted with the
// form's view, after its windows are gone.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "toolkit/appearance.h"

namespace varnox {

struct FontKey {
  std::string name;  // UTF-8
  int height = 0;    // pixels, negative as in LOGFONT
  TFontStyles style = 0;
  int charset = DEFAULT_CHARSET;

  bool operator<(const FontKey& other) const {
    return std::tie(name, height, style, charset) < std::tie(other.name, other.height, other.style, other.charset);
  }
};

// A model colour as a COLORREF; clDefault gives `fallback`.
COLORREF ResolveColor(TColor color, COLORREF fallback);

class GdiCache {
 public:
  GdiCache() = default;
  ~GdiCache();
  GdiCache(const GdiCache&) = delete;
  GdiCache& operator=(const GdiCache&) = delete;

  HFONT Font(const FontKey& key);
  HBRUSH Brush(COLORREF color);
  // The size `text` takes in `font` on the screen (one line per line break;
  // an empty text is one line high, no wide).
  SIZE TextExtent(HFONT font, const std::wstring& text);

 private:
  std::map<FontKey, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  // One screen-compatible DC for all measuring, made on first use.
  HDC measuring_ = nullptr;
};

}  // namespace varnox
