#pragma once
// Drives the real configuration window as a user would, from a thread of its
// own while the applet's modal loop runs on the test's main thread: finds
// controls by their Name property, clicks, types, clicks spinner arrows,
// switches tabs, reads states, and answers message boxes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "../cpl_library.h"

namespace varnox::test {

class UiDriver {
 public:
  UiDriver(HWND form, std::vector<std::wstring> creationMessages)
      : form_(form), creationMessages_(std::move(creationMessages)) {}

  HWND Form() const { return form_; }
  // The control carrying `name`, searched through the form's whole tree;
  // fails the test (and returns nullptr) when there is none.
  HWND Find(const std::string& name) const;
  bool Exists(const std::string& name) const;

  // A left click on a button, check box or radio button (BM_CLICK), or on
  // any other control at its centre.
  void Click(const std::string& name) const;
  // Replaces the text of an edit by typing: select all, then one WM_CHAR a
  // character (an empty text deletes the selection).
  void Type(const std::string& name, const std::wstring& text) const;
  // A click on the upper or lower arrow of an up-down control.
  void ArrowClick(const std::string& name, bool up) const;
  // A click on the tab whose caption is `caption` in the tab control `name`.
  void SelectTab(const std::string& name, const std::wstring& caption) const;
  // A key pressed while `name` has the focus.
  void Key(const std::string& name, WORD virtualKey) const;

  // Runs `work` on the window's own thread, between two of its messages, and
  // returns when it is done: nothing the window does can interleave with it,
  // not even a paint the window thread takes from its queue itself.
  void OnWindowThread(const std::function<void()>& work) const;

  // Rests the mouse on the control and returns the hint that shows; empty
  // when none shows within `timeoutMs`.
  std::wstring HoverHint(const std::string& name, DWORD timeoutMs = 8000) const;

  int CheckState(const std::string& name) const;  // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
  std::wstring Text(const std::string& name) const;
  bool Enabled(const std::string& name) const;
  bool Visible(const std::string& name) const;
  int UpDownPosition(const std::string& name) const;
  std::vector<std::wstring> TabCaptions(const std::string& name) const;
  RECT WindowRect(const std::string& name) const;

  // Waits for a message box of this thread's process, returns its text and
  // presses its OK button; empty when none came within `timeoutMs`.
  std::wstring DismissMessageBox(DWORD timeoutMs = 5000) const;
  // True when a message box is showing right now.
  bool MessageBoxShowing() const;
  // The message boxes that came up (and were answered) while the window was
  // being created, before it showed.
  const std::vector<std::wstring>& CreationMessages() const { return creationMessages_; }

 private:
  HWND form_;
  std::vector<std::wstring> creationMessages_;
};

// Opens the applet through CPL_INIT and CPL_DBLCLK on this thread and runs
// `scenario` on a second thread once the window shows. The scenario ends
// the window (OK, Cancel); if it does not, Esc is sent after it returns.
// Returns false when no window appeared.
bool RunApplet(const CplLibrary& cpl, const std::function<void(UiDriver&)>& scenario, DWORD timeoutMs = 20000);
// The same, but the window is asked for as a host asks with a start
// parameter (CPL_STARTWPARMSW); `answer` receives what the applet answered.
bool RunAppletWithParameter(const CplLibrary& cpl, const std::wstring& parameter,
                            const std::function<void(UiDriver&)>& scenario, LONG& answer, DWORD timeoutMs = 20000);

std::wstring Wide(const std::string& utf8);
// The name a window carries in its Name property, or empty.
std::string NameOf(HWND window);
// The window's class name.
std::wstring ClassOf(HWND window);

}  // namespace varnox::test
