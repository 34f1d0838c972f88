#pragma once
// One view per component, chosen by the component's class name.

#include <memory>

#include "toolkit/component.h"

namespace varnox {

class ComponentView;
class FormView;

// nullptr for components that need no view of their own (menu items: their
// menu shows them). A control of a kind the toolkit does not know shows as a
// static text, so that it still has a window and a name.
std::unique_ptr<ComponentView> MakeView(FormView& form, Component& component);

}  // namespace varnox
