#pragma once
// Component: anything a form owns and finds by its design name — controls,
// and the non-visual parts (timer, pop-up menu, menu items). Components are
// created only through TForm::Add and live exactly as long as their form.

#include <string>
#include <vector>

#include "toolkit/events.h"
#include "toolkit/observer.h"

namespace varnox {

class TForm;
class Component;

// What TForm::Add hands to a new component's constructor. Only the form can
// make one, so components cannot be created outside a form.
class ComponentArgs {
 public:
  TForm& form;
  std::string name;
  Component* parent;

 private:
  friend class TForm;
  ComponentArgs(TForm& owner, std::string componentName, Component* parentComponent)
      : form(owner), name(std::move(componentName)), parent(parentComponent) {}
};

class Component {
 public:
  explicit Component(const ComponentArgs& args);
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  // The design name, e.g. "cbDisableCAD"; unique within the form.
  const std::string& Name() const { return name_; }
  // The class name of the kind, e.g. "TCheckBox".
  virtual const char* ClassName() const = 0;
  // Whether a plain container may hold this one: any control but a tab
  // sheet or a form. Asked at every Add, so a virtual call, not three casts.
  virtual bool IsPlainControl() const { return false; }

  TForm& Form() const { return form_; }
  // The enclosing component (nullptr only for the form itself).
  Component* Parent() const { return parent_; }
  // Direct children in creation order, which is also their tab order.
  const std::vector<Component*>& Children() const { return children_; }

  // Observers are not owned. An observer must be removed before it dies;
  // components never call observers while their form is being destroyed.
  void AddObserver(ComponentObserver& observer);
  void RemoveObserver(ComponentObserver& observer);

 protected:
  void Notify(Property property);
  // Stores `value` in `field` and tells the observers, when it differs.
  // Returns whether it did.
  template <class T>
  bool Update(T& field, const T& value, Property property) {
    if (field == value) return false;
    field = value;
    Notify(property);
    return true;
  }
  void Fire(const NotifyEvent& event) {
    if (event) event(*this);
  }

  // Which kinds may be placed inside this one; TForm::Add refuses the rest.
  virtual bool AcceptsChild(const Component& /*child*/) const { return false; }
  // Runs after a child has been linked in.
  virtual void ChildAdded(Component& /*child*/) {}

 private:
  friend class TForm;

  TForm& form_;
  std::string name_;
  Component* parent_;
  std::vector<Component*> children_;
  std::vector<ComponentObserver*> observers_;
};

}  // namespace varnox
