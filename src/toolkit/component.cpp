#include "toolkit/component.h"

#include <algorithm>

namespace varnox {

Component::Component(const ComponentArgs& args) : form_(args.form), name_(args.name), parent_(args.parent) {}

void Component::AddObserver(ComponentObserver& observer) {
  if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) {
    observers_.push_back(&observer);
  }
}

void Component::RemoveObserver(ComponentObserver& observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

void Component::Notify(Property property) {
  // A copy, so an observer may detach itself (or another) while being told.
  const std::vector<ComponentObserver*> observers = observers_;
  for (ComponentObserver* observer : observers) {
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) {
      observer->PropertyChanged(*this, property);
    }
  }
}

}  // namespace varnox
