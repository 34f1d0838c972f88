#include "toolkit/win32/field_labels.h"

#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/list_view.h"
#include "toolkit/static_controls.h"
#include "toolkit/track_bar.h"
#include "toolkit/win32/control_view.h"
#include "toolkit/win32/form_view.h"

namespace varnox {

namespace {

bool IsField(const Component& component) {
  return dynamic_cast<const TEdit*>(&component) || dynamic_cast<const TComboBox*>(&component) ||
         dynamic_cast<const TTrackBar*>(&component) || dynamic_cast<const TListView*>(&component);
}

HWND WindowOf(const FormView& form, const Component* component) {
  const auto* view = dynamic_cast<const ControlView*>(form.ViewOf(component));
  return view ? view->Window() : nullptr;
}

}  // namespace

void PlaceFieldsBelowTheirLabels(FormView& form, const Component& parent) {
  const Component* before = nullptr;
  for (const Component* child : parent.Children()) {
    HWND field = IsField(*child) ? WindowOf(form, child) : nullptr;
    HWND label = dynamic_cast<const TLabel*>(before) ? WindowOf(form, before) : nullptr;
    if (field && label) SetWindowPos(field, label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PlaceFieldsBelowTheirLabels(form, *child);
    before = child;
  }
}

}  // namespace varnox
