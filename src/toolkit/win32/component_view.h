#pragma once
// The on-screen mirror of one model component. A view observes its
// component for as long as it lives; the form's view makes and owns them all
// and must be gone before the model form is.

#include "toolkit/component.h"
#include "toolkit/observer.h"

namespace varnox {

class FormView;

class ComponentView : public ComponentObserver {
 public:
  ComponentView(FormView& form, Component& component);
  virtual ~ComponentView();
  ComponentView(const ComponentView&) = delete;
  ComponentView& operator=(const ComponentView&) = delete;

  Component& Model() const { return component_; }
  FormView& Form() const { return form_; }

  // Builds the window, if the kind has one, once its parent's window exists.
  virtual void Create() {}
  // Runs once every view of the form exists, for links between views (for
  // a page made when first shown, once every view of that page exists).
  virtual void Linked() {}
  // True while the views of this component's children are not made yet: a
  // page that has not been shown makes them when it first shows.
  virtual bool ChildrenLater() const { return false; }

 protected:
  FormView& form_;
  Component& component_;
};

}  // namespace varnox
