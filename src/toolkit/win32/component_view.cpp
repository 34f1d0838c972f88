#include "toolkit/win32/component_view.h"

namespace varnox {

ComponentView::ComponentView(FormView& form, Component& component) : form_(form), component_(component) {
  component_.AddObserver(*this);
}

ComponentView::~ComponentView() { component_.RemoveObserver(*this); }

}  // namespace varnox
