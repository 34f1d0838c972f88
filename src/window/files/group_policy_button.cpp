// The options panel's "Save for Group Policy...": the changes OK would
// write, merged into the registry policy files of a folder the user picks
// (a Group Policy Object's, or one for LGPO.exe). The registry is only read.

#include "window/files/policy_export.h"
#include "window/form/conf_form.h"

namespace varnox {

void TConfForm::btnSaveGroupPolicyClick(Component& /*sender*/) {
  const std::optional<std::string> folder =
      services_.AskFolder("Save for Group Policy: the folder that gets Machine\\Registry.pol and User\\Registry.pol");
  if (!folder) return;
  const bool russian = Find<TCheckBox>("cbSwitchLanguage").Checked();
  // What OK would write: values another program changed since the load stay out.
  const ExternalChanges kept = ChangedElsewhere();
  const PolicySaveReport report =
      WritePolicyFiles(*folder, PendingPolicyChanges(frame_, flags_, platform_.registry, kept.spared), platform_.system,
                       russian ? RussianPolicySaveTexts() : EnglishPolicySaveTexts());
  if (report.failed) {
    services_.ShowError(report.message);
  } else {
    services_.ShowMessage(report.message);
  }
}

}  // namespace varnox
