#pragma once
// Model texts are UTF-8; the windows take UTF-16 through the wide calls, so
// Cyrillic shows whatever the system's ANSI code page is.

#include <windows.h>

#include <string>

namespace varnox {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// A window's whole text, read with the wide call.
std::wstring WindowTextW(HWND window);

}  // namespace varnox
