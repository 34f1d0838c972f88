#pragma once
// The Win32 view of a whole form: its top-level window, a view for every
// component, the hint window, and the modal loop.
//
//   TMyForm form(...);
//   FormView view(form, ownerWindow, resourceModule);  // form window made, hidden
//   view.MakeControls();                                // and its controls
//   view.ShowModal();                                   // until ModalResult != mrNone
//
// The controls come in a step of their own, so that what the model sets
// between the two is made as set, not made and then changed: under Wine,
// each change is a trip to the window server.
//
// The view must be destroyed before the model form; destroying it destroys
// every window. All model work started from a window message runs through
// RunHandler with this view as the error sink: the error text is shown in a
// message box and the window goes on.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/dispatch.h"
#include "toolkit/form.h"
#include "toolkit/layout_scale.h"
#include "toolkit/win32/gdi_cache.h"
#include "toolkit/win32/visual_styles.h"

namespace varnox {

class ComponentView;
class ControlView;
class HintView;
class TimerView;

class FormView final : public ErrorSink, private ComponentObserver {
 public:
  // `owner` becomes the owner window (may be null); `resources` is the module
  // whose bitmaps, image lists and manifest the controls use.
  FormView(TForm& form, HWND owner, HINSTANCE resources);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  // Makes the window of every control that shows; once.
  void MakeControls();

  TForm& Model() const { return form_; }
  HWND Window() const { return window_; }
  HINSTANCE Resources() const { return resources_; }

  // Shows the window and runs messages until the model's ModalResult is not
  // mrNone (or WM_QUIT arrives, which is posted again for the host). The
  // owner is disabled meanwhile; afterwards it is enabled and the window hidden.
  TModalResult ShowModal();
  // Handles the thread's pending messages, then returns.
  void ProcessMessages();
  // Repaints the window and all its controls at once.
  void RepaintNow();
  void ShowError(const std::string& message) override;
  // A message box over the window (MessageBoxW's style and answer); a hint
  // that shows goes first.
  int ShowMessageBox(const std::string& message, const std::string& title, unsigned style);

  // --- for the control views ---
  bool Applying() const { return applying_ != 0; }
  bool Destroying() const { return destroying_; }
  // Held while the view writes to windows: what they report meanwhile is an
  // echo of the model, not the user.
  class ApplyScope {
   public:
    explicit ApplyScope(FormView& view) : view_(view) { ++view_.applying_; }
    ~ApplyScope() { --view_.applying_; }
    ApplyScope(const ApplyScope&) = delete;
    ApplyScope& operator=(const ApplyScope&) = delete;

   private:
    FormView& view_;
  };
  // Runs a user action; skipped while applying. False when it was skipped
  // or failed.
  bool RunUser(const std::function<void()>& action);

  GdiCache& Gdi() { return gdi_; }
  // The control's font; `pixelHeight`, when given, replaces its height on
  // the screen (negative as in LOGFONT).
  HFONT FontFor(const Control& control, int pixelHeight = 0);
  // From the model's design coordinates to this window's pixels.
  const LayoutScale& Scale() const { return scale_; }
  // The screen's dots per inch, which the form's font and the pictures follow.
  int Dpi() const { return dpi_; }
  // Where a control's window goes inside its parent, in pixels.
  LayoutBounds PlaceOf(const Control& control) const;
  const VisualStyleContext& Styles() const { return styles_; }
  ComponentView* ViewOf(const Component* component) const;
  // The window that children of `component` are created in.
  HWND ChildParentOf(const Component* component) const;
  // Makes the views of `parent`'s children and of theirs, as the form made
  // its own at creation, and links them: for a page shown the first time.
  void CreateChildViews(const Component& parent);
  HintView& Hints() { return *hints_; }
  UINT_PTR RegisterTimer(TimerView& timer);

  // Reports from the windows.
  void MouseMoved(HWND window, LPARAM clientPoint);
  void MouseClicked();
  void FocusArrived(Control& control);
  // Gives the focus back to the model's focused control (or the form).
  void RestoreFocus();

 private:
  static LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Procedure(UINT message, WPARAM wParam, LPARAM lParam);
  void PropertyChanged(Component& component, Property property) override;

  void RegisterClasses();
  void CreateFormWindow(HWND owner);
  void ReportBorderFrame();
  void Centre();
  void CreateViews();
  void CreateViewsUnder(const Component& parent);
  void CreateWithChildren(Component& component);
  ComponentView* CreateView(Component& component);
  DWORD Style() const;
  DWORD ExStyle() const;
  void ApplyStyle();
  void ReportFrame();
  void ApplyBounds();
  // Measures the font the form really got; true when the scale changed.
  bool MeasureFont();
  // Every window placed again after the scale changed.
  void Relayout();
  int OuterWidth() const;
  int OuterHeight() const;
  void ApplyFocus();
  // The form's keys go to the model instead of the focused window.
  bool PreTranslate(const MSG& message);
  bool Pump(MSG& message, bool wait);

  TForm& form_;
  HINSTANCE resources_;
  HWND owner_;
  VisualStyleContext styles_;
  GdiCache gdi_;
  LayoutScale scale_;
  int dpi_;
  HWND window_ = nullptr;
  int applying_ = 0;
  bool destroying_ = false;
  bool quit_ = false;
  bool centred_ = false;
  SIZE screen_ = {0, 0};
  bool keyboardCues_ = false;
  std::unique_ptr<HintView> hints_;
  std::vector<std::unique_ptr<ComponentView>> views_;
  std::map<const Component*, ComponentView*> byComponent_;
  std::map<UINT_PTR, TimerView*> timers_;
  std::vector<ATOM> registeredClasses_;
};

// The class name of the tab sheet windows (our own container class).
inline constexpr wchar_t kTabSheetClass[] = L"TTabSheet";

}  // namespace varnox
