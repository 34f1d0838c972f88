#pragma once
// Every control window carries its design name as the window property "Name",
// whose data is a global atom of that name, so tests and assistive tools can
// find a control by name.

#include <windows.h>

#include <string>

namespace varnox {

inline constexpr char kNameProperty[] = "Name";

// Names a window just made, which has no name to replace.
void NameNewWindow(HWND window, const std::string& name);
// Removes the property and deletes its atom; call before the window is gone.
void RemoveWindowName(HWND window);
// The name a window carries, or empty.
std::string WindowName(HWND window);

}  // namespace varnox
