#include "window/pages/page_gates.h"

#include "toolkit/toolkit.h"
#include "window/conf_form.h"

namespace varnox {

namespace {

// Disables the sheet, hides its tab and the sheet itself when the system's
// major version is above `lastMajorVersion`.
void AddHidingSection(TConfForm& form, TTabSheet& sheet, const char* name, std::uint32_t lastMajorVersion) {
  form.Frame().AddLoadSection({name,
                               kHkeyLocalMachine,
                               [&form, &sheet, lastMajorVersion](TRegistry&) {
                                 if (form.platform().system.Version().major <= lastMajorVersion) return;
                                 sheet.SetEnabled(false);
                                 sheet.SetTabVisible(false);
                                 sheet.SetVisible(false);
                               },
                               {}});
}

}  // namespace

void BuildIdePageGate(TConfForm& form, TTabSheet& sheet) { AddHidingSection(form, sheet, "IDE/ATAPI page", 5); }

}  // namespace varnox
