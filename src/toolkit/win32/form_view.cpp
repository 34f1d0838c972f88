#include "toolkit/win32/form_view.h"

#include <commctrl.h>

#include <optional>

#include "base/concat.h"
#include "base/error.h"
#include "toolkit/buttons.h"
#include "toolkit/check_box.h"
#include "toolkit/design_font.h"
#include "toolkit/radio_button.h"
#include "toolkit/radio_group.h"
#include "toolkit/static_controls.h"
#include "toolkit/up_down.h"
#include "toolkit/win32/control_view.h"
#include "toolkit/win32/dialog_keys.h"
#include "toolkit/win32/field_labels.h"
#include "toolkit/win32/hint_view.h"
#include "toolkit/win32/timer_view.h"
#include "toolkit/win32/view_factory.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/window_name.h"

namespace varnox {

namespace {

constexpr char kDefaultFontName[] = "MS Sans Serif";
constexpr int kDefaultFontHeight = -11;  // 8 points at 96 dots per inch
constexpr char kErrorTitle[] = "Error";

// Re-enables the owner however the modal loop ends.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (owner_) EnableWindow(owner_, TRUE);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
};

// The texts a control shows as captions, as opposed to the data of edits
// and lists or a page's tab, which its control sizes itself.
std::vector<std::string> CaptionsOf(const Control& control) {
  if (const auto* group = dynamic_cast<const TRadioGroup*>(&control)) {
    std::vector<std::string> captions = group->Items();
    captions.push_back(group->Caption());
    return captions;
  }
  if (dynamic_cast<const TLabel*>(&control) || dynamic_cast<const TCheckBox*>(&control) ||
      dynamic_cast<const TRadioButton*>(&control) || dynamic_cast<const TGroupBox*>(&control) ||
      dynamic_cast<const TButton*>(&control)) {
    return {control.Caption()};
  }
  return {};
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

FormView::FormView(TForm& form, HWND owner, HINSTANCE resources)
    : form_(form), resources_(resources), owner_(owner), styles_(resources), dpi_(ScreenDpi()) {
  ApplyScope guard(*this);
  VisualStyleContext::Scope styled(styles_);
  InitCommonControlClasses();
  RegisterClasses();
  MeasureFont();
  CreateFormWindow(owner);
  hints_ = std::make_unique<HintView>(*this);
  form_.AddObserver(*this);
}

void FormView::MakeControls() {
  ApplyScope guard(*this);
  VisualStyleContext::Scope styled(styles_);
  CreateViews();
}

FormView::~FormView() {
  destroying_ = true;
  form_.RemoveObserver(*this);
  hints_.reset();
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  views_.clear();
  for (ATOM atom : registeredClasses_)
    UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)), resources_);
}

void FormView::RegisterClasses() {
  const std::wstring formClass = Utf8ToWide(form_.ClassName());
  // Loaded once for both: under Wine each load asks for the screen's metrics.
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  for (const std::wstring& name : {formClass, std::wstring(kTabSheetClass)}) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(resources_, name.c_str(), &existing)) continue;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = name == formClass ? &FormView::FormProcedure : &DefWindowProcW;
    windowClass.hInstance = resources_;
    windowClass.hCursor = arrow;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name.c_str();
    // A library's classes outlive it unless it unregisters them; we do, so
    // a library loaded again never meets a class with a stale procedure.
    if (const ATOM atom = RegisterClassExW(&windowClass)) registeredClasses_.push_back(atom);
  }
}

DWORD FormView::Style() const {
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  const TBorderIcons icons = form_.BorderIcons();
  switch (form_.GetBorderStyle()) {
    case BorderStyle::None:
      return style;
    case BorderStyle::Sizeable:
    case BorderStyle::SizeToolWindow:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case BorderStyle::Single:
    case BorderStyle::Dialog:
    case BorderStyle::ToolWindow:
      style |= WS_CAPTION;
      break;
  }
  if (icons & biSystemMenu) style |= WS_SYSMENU;
  const bool tool =
      form_.GetBorderStyle() == BorderStyle::ToolWindow || form_.GetBorderStyle() == BorderStyle::SizeToolWindow;
  if ((icons & biSystemMenu) && !tool && form_.GetBorderStyle() != BorderStyle::Dialog) {
    if (icons & biMinimize) style |= WS_MINIMIZEBOX;
    if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD FormView::ExStyle() const {
  switch (form_.GetBorderStyle()) {
    case BorderStyle::ToolWindow:
    case BorderStyle::SizeToolWindow:
      return WS_EX_TOOLWINDOW;
    case BorderStyle::Dialog:
      return WS_EX_DLGMODALFRAME;
    default:
      return 0;
  }
}

void FormView::CreateFormWindow(HWND owner) {
  const std::wstring className = Utf8ToWide(form_.ClassName());
  const std::wstring caption = Utf8ToWide(form_.Caption());
  // Made where it shows, with the frame its border takes here, rather than
  // made and then moved.
  ReportBorderFrame();
  Centre();
  window_ = CreateWindowExW(ExStyle(), className.c_str(), caption.c_str(), Style(), form_.Left(), form_.Top(),
                            OuterWidth(), OuterHeight(), owner, nullptr, resources_, this);
  if (!window_) throw Error(Concat({"The window '", form_.Name(), "' could not be created"}));
  NameNewWindow(window_, form_.Name());
  ReportFrame();
  ApplyBounds();
}

// Every parent before its children, and each parent's children from the
// last to the first: a new child window goes beneath its siblings, so the
// later controls of the layout end up above the earlier ones, as placed,
// without a move each. A field and the label naming it are made label
// first, so the field lies just below it (see field_labels.h), again
// without a move. Every component is a child of the form or of another
// component, so the walk reaches them all, except those of pages not shown
// yet, which are made when they first show.
void FormView::CreateViews() { CreateChildViews(form_); }

void FormView::CreateChildViews(const Component& parent) {
  const std::size_t first = views_.size();
  CreateViewsUnder(parent);
  for (std::size_t i = first; i < views_.size(); ++i) views_[i]->Linked();
}

void FormView::CreateViewsUnder(const Component& parent) {
  const std::vector<Component*>& children = parent.Children();
  for (std::size_t i = children.size(); i-- > 0;) {
    if (i > 0 && CaptionsField(*children[i - 1], *children[i])) {
      CreateWithChildren(*children[i - 1]);
      CreateWithChildren(*children[i--]);
    } else {
      CreateWithChildren(*children[i]);
    }
  }
}

void FormView::CreateWithChildren(Component& component) {
  const ComponentView* view = CreateView(component);
  if (!view || !view->ChildrenLater()) CreateViewsUnder(component);
}

ComponentView* FormView::CreateView(Component& component) {
  std::unique_ptr<ComponentView> view = MakeView(*this, component);
  if (!view) return nullptr;
  ComponentView* made = view.get();
  byComponent_[&component] = made;
  views_.push_back(std::move(view));
  made->Create();
  return made;
}

ComponentView* FormView::ViewOf(const Component* component) const {
  auto found = byComponent_.find(component);
  return found == byComponent_.end() ? nullptr : found->second;
}

HWND FormView::ChildParentOf(const Component* component) const {
  if (component == &form_ || component == nullptr) return window_;
  auto* view = dynamic_cast<ControlView*>(ViewOf(component));
  return view ? view->ChildParent() : window_;
}

UINT_PTR FormView::RegisterTimer(TimerView& timer) {
  // Below 100 are the hint view's timers.
  const UINT_PTR id = 100 + timers_.size();
  timers_[id] = &timer;
  return id;
}

// A control's own font height is in design pixels and grows with the
// layout; the form's font is in points, as a dialog template's, and comes out
// at the screen's density: it is the one measured, and the layout grows
// with it.
HFONT FormView::FontFor(const Control& control, int pixelHeight) {
  FontKey key;
  key.name = !control.FontName().empty() ? control.FontName()
             : !form_.FontName().empty() ? form_.FontName()
                                         : kDefaultFontName;
  key.height = &control != &form_ && control.FontHeight() != 0
                   ? scale_.FontHeight(control.FontHeight())
                   : FontHeightAtDpi(form_.FontHeight() != 0 ? form_.FontHeight() : kDefaultFontHeight, dpi_);
  if (pixelHeight != 0) key.height = pixelHeight;
  key.style = control.FontStyle();
  key.charset = form_.FontCharset();
  return gdi_.Font(key);
}

// The sample gives the font's average growth; each caption drawn in the
// form's font may then widen the scale to what it needs itself.
bool FormView::MeasureFont() {
  HFONT font = FontFor(form_);
  const SIZE extent = gdi_.TextExtent(font, Utf8ToWide(kFontSample));
  LayoutScale measured(FontMetrics{extent.cy, extent.cx});
  for (Component* component : form_.Components()) {
    const auto* control = dynamic_cast<const Control*>(component);
    if (!control || !control->FontName().empty() || control->FontHeight() != 0 || (control->FontStyle() & fsBold)) {
      continue;
    }
    for (const std::string& caption : CaptionsOf(*control)) {
      if (const std::optional<int> design = DesignTextWidth(caption)) {
        measured.FitText(gdi_.TextExtent(font, Utf8ToWide(caption)).cx, *design);
      }
    }
  }
  if (measured == scale_) return false;
  scale_ = measured;
  return true;
}

LayoutBounds FormView::PlaceOf(const Control& control) const {
  return scale_.Scale({control.Left(), control.Top(), control.Width(), control.Height()});
}

// The frame (the model's outer size less its client size) is in pixels
// already; only the client area scales.
int FormView::OuterWidth() const { return scale_.X(form_.ClientWidth()) + form_.Width() - form_.ClientWidth(); }

int FormView::OuterHeight() const { return scale_.Y(form_.ClientHeight()) + form_.Height() - form_.ClientHeight(); }

void FormView::Relayout() {
  ApplyBounds();
  // By index: a page that shows on the way makes views of its own.
  for (std::size_t i = 0; i < views_.size(); ++i) {
    if (auto* control = dynamic_cast<ControlView*>(views_[i].get()))
      control->PropertyChanged(control->Model(), Property::Bounds);
  }
}

// The client size is the model's; the frame is whatever this border takes
// on this system, told to the model so that its outer size is the real one.
void FormView::ReportFrame() {
  RECT outer;
  RECT client;
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  // Too small to measure: what this border takes.
  if (client.right <= 0 || client.bottom <= 0) return ReportBorderFrame();
  form_.SetFrameExtents((outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom);
}

void FormView::ReportBorderFrame() {
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, Style(), FALSE, ExStyle());
  form_.SetFrameExtents(frame.right - frame.left, frame.bottom - frame.top);
}

// Until it has shown, a centred window is centred on the screen, whose size
// is asked once: each question is three trips to the window server under Wine.
void FormView::Centre() {
  if (form_.Position() != FormPosition::ScreenCenter || centred_) return;
  if (!screen_.cx) screen_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  form_.SetBounds((screen_.cx - OuterWidth()) / 2, (screen_.cy - OuterHeight()) / 2, form_.Width(), form_.Height());
}

void FormView::ApplyBounds() {
  Centre();
  const int left = form_.Left();
  const int top = form_.Top();
  // Placing a window where it is still costs a trip to the window server
  // and a round of position messages.
  RECT now;
  if (GetWindowRect(window_, &now) && now.left == left && now.top == top && now.right - now.left == OuterWidth() &&
      now.bottom - now.top == OuterHeight()) {
    return;
  }
  SetWindowPos(window_, nullptr, left, top, OuterWidth(), OuterHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormView::ApplyStyle() {
  SetWindowLongPtrW(window_, GWL_STYLE, (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) | Style());
  SetWindowLongPtrW(window_, GWL_EXSTYLE, ExStyle());
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ReportFrame();
  ApplyBounds();
}

void FormView::ApplyFocus() {
  if (!IsWindowVisible(window_)) return;
  auto* view = dynamic_cast<ControlView*>(ViewOf(form_.ActiveControl()));
  SetFocus(view && view->Window() ? view->Window() : window_);
}

void FormView::RestoreFocus() {
  ApplyScope guard(*this);
  ApplyFocus();
}

void FormView::PropertyChanged(Component& /*component*/, Property property) {
  if (!window_ || destroying_) return;
  ApplyScope guard(*this);
  switch (property) {
    case Property::Text: {
      const std::wstring caption = Utf8ToWide(form_.Caption());
      SetWindowTextW(window_, caption.c_str());
      break;
    }
    case Property::Bounds:
      ApplyBounds();
      break;
    case Property::Style:
      ApplyStyle();
      break;
    case Property::Font: {
      // Measured first, so that labels fit themselves to the new scale.
      const bool rescaled = MeasureFont();
      for (std::size_t i = 0; i < views_.size(); ++i) {
        if (auto* control = dynamic_cast<ControlView*>(views_[i].get()))
          control->PropertyChanged(control->Model(), property);
      }
      if (rescaled) Relayout();
      break;
    }
    case Property::Enabled:
      EnableWindow(window_, form_.Enabled());
      break;
    case Property::Color:
      InvalidateRect(window_, nullptr, TRUE);
      break;
    case Property::ActiveControl:
      ApplyFocus();
      break;
    case Property::WindowState:
      if (IsWindowVisible(window_)) {
        const WindowState state = form_.GetWindowState();
        ShowWindow(window_, state == WindowState::Maximized   ? SW_MAXIMIZE
                            : state == WindowState::Minimized ? SW_MINIMIZE
                                                              : SW_RESTORE);
      }
      break;
    case Property::ModalResult:
      PostMessageW(window_, WM_NULL, 0, 0);  // wakes the modal loop to look
      break;
    default:
      break;
  }
}

bool FormView::RunUser(const std::function<void()>& action) {
  if (applying_ != 0 || destroying_) return false;
  return RunHandler(action, *this);
}

void FormView::ShowError(const std::string& message) { ShowMessageBox(message, kErrorTitle, MB_OK | MB_ICONERROR); }

int FormView::ShowMessageBox(const std::string& message, const std::string& title, unsigned style) {
  if (hints_) hints_->Cancel();
  const std::wstring text = Utf8ToWide(message);
  const std::wstring caption = Utf8ToWide(title);
  HWND owner = window_ && IsWindowVisible(window_) ? window_ : owner_;
  return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

void FormView::MouseMoved(HWND window, LPARAM clientPoint) {
  if (hints_)
    hints_->MouseMoved(window, {static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))});
}

void FormView::MouseClicked() {
  if (hints_) hints_->Cancel();
}

void FormView::FocusArrived(Control& control) {
  RunHandler([&] { form_.FocusControl(&control); }, *this);
}

bool FormView::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (hints_) hints_->Cancel();
  // From the first key on, focus rectangles show, as in a dialog.
  if (!keyboardCues_) {
    keyboardCues_ = true;
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  }
  const std::optional<DialogKey> key = FormKeyOf(message);
  if (!key) return false;
  bool handled = false;
  RunUser([&] { handled = form_.UserKey(*key); });
  return handled;
}

// One message: false when there was none (or WM_QUIT, which goes back to the
// queue for whoever runs the thread's own loop).
bool FormView::Pump(MSG& message, bool wait) {
  if (wait) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return false;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      quit_ = true;
      return false;
    }
  } else {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      quit_ = true;
      return false;
    }
  }
  if (!PreTranslate(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void FormView::ProcessMessages() {
  MSG message;
  while (!quit_ && Pump(message, false)) {
  }
}

void FormView::RepaintNow() {
  if (!window_) return;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TModalResult FormView::ShowModal() {
  RunHandler([&] { form_.SetModalResult(mrNone); }, *this);
  {
    OwnerDisabled ownerDisabled(owner_);
    {
      ApplyScope guard(*this);
      ApplyBounds();  // centred once more: the border may have changed since creation
      centred_ = true;
      ShowWindow(window_, SW_SHOW);
      SetActiveWindow(window_);
      // The focus opens in the window, on the first control that takes input.
      if (!form_.ActiveControl()) RunHandler([&] { form_.SelectFirstInput(); }, *this);
      ApplyFocus();
    }
    MSG message;
    while (form_.ModalResult() == mrNone && !quit_) {
      if (!Pump(message, true) && quit_) break;
    }
    if (hints_) hints_->Cancel();
  }
  // The owner is enabled again before the window hides, so that it is the
  // one activated next.
  ShowWindow(window_, SW_HIDE);
  return form_.ModalResult();
}

LRESULT CALLBACK FormView::FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!view || !view->window_) {
    if (message == WM_NCDESTROY) RemoveWindowName(window);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return view->Procedure(message, wParam, lParam);
}

LRESULT FormView::Procedure(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  if (message == WM_NCDESTROY) {
    RemoveWindowName(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (destroying_) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (ControlView::RouteChildMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_TIMER:
      if (hints_ && hints_->Timer(wParam)) return 0;
      if (auto found = timers_.find(wParam); found != timers_.end()) {
        TimerView* timer = found->second;
        RunHandler([&] { timer->Tick(); }, *this);
        return 0;
      }
      break;
    case WM_MOUSEMOVE: {
      MouseMoved(window, lParam);
      const unsigned shift = ShiftStateOf(wParam);
      const int x = static_cast<short>(LOWORD(lParam));
      const int y = static_cast<short>(HIWORD(lParam));
      RunUser([&] { form_.UserMouseMove(shift, x, y); });
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      MouseClicked();
      break;
    case WM_CONTEXTMENU:
      if (form_.PopupMenu()) {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (point.x == -1 && point.y == -1) GetCursorPos(&point);
        RunUser([&] { form_.UserContextMenu(point.x, point.y); });
        return 0;
      }
      break;
    case WM_CLOSE:
      RunUser([&] { form_.Close(); });
      return 0;
    case WM_SIZE:
      if (!Applying() && (wParam == SIZE_MAXIMIZED || wParam == SIZE_RESTORED)) {
        // The window was maximised or restored by the system; the model
        // learns where it is.
        ApplyScope guard(*this);
        RunHandler(
            [&] { form_.SetWindowState(wParam == SIZE_MAXIMIZED ? WindowState::Maximized : WindowState::Normal); },
            *this);
      }
      break;
    case WM_SETFOCUS:
      // The window itself is no place for the focus: it goes on to the
      // control that had it, or else to the first that takes input.
      if (!Applying()) {
        if (!form_.ActiveControl()) RunHandler([&] { form_.SelectFirstInput(); }, *this);
        if (form_.ActiveControl()) {
          ApplyScope guard(*this);
          ApplyFocus();
          return 0;
        }
      }
      break;
    case WM_ERASEBKGND:
      if (form_.Color() != clDefault) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 gdi_.Brush(ResolveColor(form_.Color(), GetSysColor(COLOR_BTNFACE))));
        return 1;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace varnox
