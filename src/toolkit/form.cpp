#include "toolkit/form.h"

#include <algorithm>

#include "base/concat.h"
#include "base/error.h"
#include "toolkit/buttons.h"
#include "toolkit/page_control.h"
#include "toolkit/popup_menu.h"
#include "toolkit/tab_order.h"
#include "toolkit/timer.h"

namespace varnox {

namespace {

bool OnTabSheet(const Control& control) {
  for (const Control* parent = control.ParentControl(); parent != nullptr; parent = parent->ParentControl()) {
    if (dynamic_cast<const TTabSheet*>(parent) != nullptr) return true;
  }
  return false;
}

}  // namespace

TForm::TForm(const std::string& name) : Control(ComponentArgs(*this, name, nullptr)) {
  if (name.empty()) throw UsageError("a form needs a name");
  byName_.emplace(name, this);
}

TForm::~TForm() = default;

bool TForm::AcceptsChild(const Component& child) const {
  return AcceptsPlainControl(child) || dynamic_cast<const TTimer*>(&child) != nullptr ||
         dynamic_cast<const TPopupMenu*>(&child) != nullptr;
}

void TForm::Adopt(std::unique_ptr<Component> component) {
  const std::string& name = component->Name();
  if (name.empty()) throw UsageError("a component needs a name");
  if (byName_.count(name) != 0) throw UsageError(Concat({"the name '", name, "' is taken"}));
  Component* parent = component->Parent();
  if (parent == nullptr || &parent->Form() != this)
    throw UsageError(Concat({"the parent of '", name, "' is not on this form"}));
  if (!parent->AcceptsChild(*component)) {
    throw UsageError(Concat({"a ", parent->ClassName(), " cannot hold the ", component->ClassName(), " '", name, "'"}));
  }
  Component& added = *component;
  owned_.push_back(std::move(component));
  order_.push_back(&added);
  byName_.emplace(name, &added);
  parent->children_.push_back(&added);
  parent->ChildAdded(added);
}

Component* TForm::FindComponent(std::string_view name) const {
  auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

Component& TForm::FindExisting(std::string_view name) const {
  Component* component = FindComponent(name);
  if (component == nullptr) throw UsageError(Concat({"no component named '", name, "'"}));
  return *component;
}

void TForm::ThrowWrongKind(std::string_view name, const Component& component) {
  throw UsageError(Concat({"component '", name, "' is a ", component.ClassName(), ", not the kind asked for"}));
}

void TForm::SetFrameExtents(int width, int height) {
  const int clientWidth = ClientWidth();
  const int clientHeight = ClientHeight();
  frameWidth_ = width;
  frameHeight_ = height;
  SetBounds(Left(), Top(), clientWidth + width, clientHeight + height);
}

void TForm::SetBorderStyle(BorderStyle style) { Update(borderStyle_, style, Property::Style); }

void TForm::SetBorderIcons(TBorderIcons icons) { Update(borderIcons_, icons, Property::Style); }

void TForm::SetPosition(FormPosition position) { Update(position_, position, Property::Style); }

void TForm::SetWindowState(WindowState state) { Update(windowState_, state, Property::WindowState); }

void TForm::SetFontCharset(int charset) { Update(fontCharset_, charset, Property::Font); }

void TForm::SetModalResult(TModalResult result) { Update(modalResult_, result, Property::ModalResult); }

void TForm::Close() {
  if (modalResult_ == mrNone) SetModalResult(mrCancel);
}

bool TForm::FocusControl(Control* control) {
  if (control == activeControl_) return true;
  if (control != nullptr && (&control->Form() != this || control == this || !control->CanFocus())) return false;
  activeControl_ = control;
  Notify(Property::ActiveControl);
  return true;
}

std::vector<Control*> TForm::TabStops() const {
  std::vector<Control*> stops = ReadingOrder(*this);
  std::erase_if(stops, [](const Control* control) { return !IsTabStopNow(*control); });
  return stops;
}

bool TForm::SelectFirst() {
  const std::vector<Control*> stops = TabStops();
  return !stops.empty() && FocusControl(stops.front());
}

bool TForm::SelectFirstInput() {
  const std::vector<Control*> stops = TabStops();
  auto first = std::find_if(stops.begin(), stops.end(), [](const Control* c) { return OnTabSheet(*c); });
  if (first == stops.end()) {
    first = std::find_if(stops.begin(), stops.end(),
                         [](const Control* c) { return dynamic_cast<const TPageControl*>(c) != nullptr; });
  }
  if (first == stops.end()) first = stops.begin();
  return first != stops.end() && FocusControl(*first);
}

void TForm::PageChanged(Control& tabStrip, const Control* focusBefore) {
  if (activeControl_ != nullptr && activeControl_ != focusBefore && activeControl_->CanFocus()) return;
  if (focusBefore == &tabStrip && FocusControl(&tabStrip)) return;
  SelectFirstInput();
}

bool TForm::SelectNext(bool forward) {
  const std::vector<Control*> all = ReadingOrder(*this);
  const std::size_t count = all.size();
  if (count == 0) return false;
  // Where the focus is now in the whole tab order; a focused control that is
  // no tab stop still marks the place to move on from.
  std::size_t start = forward ? count - 1 : 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (all[i] == activeControl_) start = i;
  }
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t i = forward ? (start + step) % count : (start + count - step) % count;
    if (all[i] != activeControl_ && IsTabStopNow(*all[i])) return FocusControl(all[i]);
  }
  return false;
}

TButton* TForm::DefaultButton() const {
  for (Component* component : order_) {
    auto* button = dynamic_cast<TButton*>(component);
    if (button != nullptr && button->Default() && button->Showing()) return button;
  }
  return nullptr;
}

TButton* TForm::CancelButton() const {
  for (Component* component : order_) {
    auto* button = dynamic_cast<TButton*>(component);
    if (button != nullptr && button->Cancel() && button->Showing()) return button;
  }
  return nullptr;
}

}  // namespace varnox
