// The configuration window's frame: a modal tool window of the form's client
// size, centred on the screen, owned by the Control Panel window, closed by
// Esc. Its pages are built on this frame.

#include "applet/conf_form_window.h"

#include <stdexcept>

#include "applet/applet_library.h"
#include "toolkit/win32/window_name.h"

namespace varnox {

namespace {

constexpr char kClassName[] = "TConfForm";
constexpr int kClientWidth = 365;
constexpr int kClientHeight = 393;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;

class ConfFormWindow final : public ModalWindow {
 public:
  explicit ConfFormWindow(HWND parent);
  ~ConfFormWindow() override;

  void SetCaption(const std::string& caption) override;
  void SetToolWindowBorder() override;
  void ShowModal() override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void FitClientArea(DWORD exStyle);

  HWND owner_;
  HWND window_ = nullptr;
  bool closing_ = false;
};

void RegisterClassOnce() {
  WNDCLASSA existing;
  if (GetClassInfoA(LibraryModule(), kClassName, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.hInstance = LibraryModule();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
}

ConfFormWindow::ConfFormWindow(HWND parent) : owner_(parent) {
  RegisterClassOnce();
  window_ = CreateWindowExA(0, kClassName, "ConfForm", kStyle, 0, 0, kClientWidth, kClientHeight, parent, nullptr,
                            LibraryModule(), nullptr);
  if (!window_) throw std::runtime_error("The configuration window could not be created");
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ConfFormWindow::Procedure));
  SetWindowName(window_, "ConfForm");
  FitClientArea(0);
}

ConfFormWindow::~ConfFormWindow() {
  // The owner gets its input back before the window goes, so it is the one
  // activated afterwards.
  if (owner_) EnableWindow(owner_, TRUE);
  RemoveWindowName(window_);
  DestroyWindow(window_);
}

void ConfFormWindow::SetCaption(const std::string& caption) { SetWindowTextA(window_, caption.c_str()); }

void ConfFormWindow::SetToolWindowBorder() {
  SetWindowLongPtrA(window_, GWL_EXSTYLE, GetWindowLongPtrA(window_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  FitClientArea(WS_EX_TOOLWINDOW);
}

// Sizes the window so its client area is the form's, centred on the screen.
void ConfFormWindow::FitClientArea(DWORD exStyle) {
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ConfFormWindow::ShowModal() {
  if (owner_) EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  MSG message;
  while (!closing_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the host's quit is not ours to eat
      break;
    }
    if (got < 0) break;
    const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    if (ours && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      closing_ = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (owner_) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK ConfFormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ConfFormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message == WM_CLOSE) {
    self->closing_ = true;
    PostMessageA(window, WM_NULL, 0, 0);  // wakes the modal loop to see it
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<ModalWindow> CreateConfFormWindow(HWND parent) { return std::make_unique<ConfFormWindow>(parent); }

}  // namespace varnox
