#pragma once
// Helpers of the Win32 view tests: a small model form shown through the
// real view, windows found by their Name property, message pumping, and a
// catcher for message boxes.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "toolkit/toolkit.h"
#include "toolkit/win32/form_view.h"

namespace varnox::test {

// A model form and its view; the view goes first, as it must.
struct ShownForm {
  ShownForm();
  ~ShownForm();
  // Makes the view (the windows) and shows the form without a modal loop.
  void Show();
  HWND Window() const { return view->Window(); }
  // The window carrying this design name (the form's included); fails the test when missing.
  HWND operator[](const std::string& name) const;

  TForm form{"TestForm"};
  std::unique_ptr<FormView> view;
};

// The name a window carries in its Name property, or empty.
std::string NameOf(HWND window);
// The window under `root` (or `root` itself) that carries `name`.
HWND FindByName(HWND root, const std::string& name);
std::wstring TextOf(HWND window);
std::string ClassOf(HWND window);

// Runs the thread's messages for `milliseconds`, or until `done` holds.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);
void PumpFor(DWORD milliseconds);

// A user's click at a client point of `window`, as the mouse sends it.
void ClickAt(HWND window, int x, int y);

// Watches for message boxes of this thread while it lives: reads the text of
// each one and presses its OK button.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  int Count() const;
  const std::wstring& LastText() const;
};

// Runs `script` once from the thread's message loop (whoever runs it),
// as soon as `window` is visible.
void RunWhenShown(HWND window, std::function<void()> script);

}  // namespace varnox::test
