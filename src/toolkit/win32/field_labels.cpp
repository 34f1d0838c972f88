#include "toolkit/win32/field_labels.h"

#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/list_view.h"
#include "toolkit/static_controls.h"
#include "toolkit/track_bar.h"

namespace varnox {

bool CaptionsField(const Component& label, const Component& field) {
  return dynamic_cast<const TLabel*>(&label) &&
         (dynamic_cast<const TEdit*>(&field) || dynamic_cast<const TComboBox*>(&field) ||
          dynamic_cast<const TTrackBar*>(&field) || dynamic_cast<const TListView*>(&field));
}

}  // namespace varnox
