#include "cli/managed_lookup.h"

#include "base/ascii.h"
#include "toolkit/page_control.h"

namespace varnox::cli {

const ManagedValue* FindManaged(const std::vector<ManagedPage>& pages, const RegistryValueRef& value) {
  for (const ManagedPage& page : pages) {
    for (const ManagedValue& managed : page.values) {
      if (managed.root == value.root && EqualsIgnoringAsciiCase(managed.key, value.keyPath) &&
          EqualsIgnoringAsciiCase(managed.value, value.valueName)) {
        return &managed;
      }
    }
  }
  return nullptr;
}

const TTabSheet* SheetOf(const Control& control) {
  for (const Component* at = &control; at != nullptr; at = at->Parent()) {
    if (const auto* sheet = dynamic_cast<const TTabSheet*>(at)) return sheet;
  }
  return nullptr;
}

bool HonouredHere(HeadlessWindow& window, const ManagedValue& value) {
  const TTabSheet* sheet = SheetOf(window.Form().Find<Control>(value.control));
  return sheet != nullptr && sheet->TabVisible() &&
         (value.honoured == nullptr || value.honoured(window.platform().system));
}

}  // namespace varnox::cli
