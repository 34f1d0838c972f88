#include "toolkit/win32/view_factory.h"

#include <string_view>

#include "toolkit/toolkit.h"
#include "toolkit/win32/button_views.h"
#include "toolkit/win32/edit_view.h"
#include "toolkit/win32/list_views.h"
#include "toolkit/win32/page_views.h"
#include "toolkit/win32/popup_menu_view.h"
#include "toolkit/win32/range_views.h"
#include "toolkit/win32/static_views.h"
#include "toolkit/win32/timer_view.h"

namespace varnox {

namespace {

using Maker = std::unique_ptr<ComponentView> (*)(FormView&, Component&);

template <class View, class Kind>
std::unique_ptr<ComponentView> Make(FormView& form, Component& component) {
  auto* kind = dynamic_cast<Kind*>(&component);
  if (!kind) return nullptr;
  return std::make_unique<View>(form, *kind);
}

struct MakerRow {
  std::string_view className;
  Maker make;
};

// A constant table: nothing to build or guard when the first window opens.
constexpr MakerRow kMakers[] = {
    {"TCheckBox", &Make<CheckBoxView, TCheckBox>},
    {"TRadioButton", &Make<RadioButtonView, TRadioButton>},
    {"TRadioGroup", &Make<RadioGroupView, TRadioGroup>},
    {"TButton", &Make<ButtonView, TButton>},
    {"TBitBtn", &Make<ButtonView, TButton>},
    {"TSpeedButton", &Make<SpeedButtonView, TSpeedButton>},
    {"TGroupBox", &Make<GroupBoxView, Control>},
    {"TLabel", &Make<LabelView, TLabel>},
    {"TStaticText", &Make<StaticTextView, TStaticText>},
    {"TPanel", &Make<PanelView, TPanel>},
    {"TBevel", &Make<BevelView, TBevel>},
    {"TImage", &Make<ImageView, TImage>},
    {"TEdit", &Make<EditView, TEdit>},
    {"TUpDown", &Make<UpDownView, TUpDown>},
    {"TTrackBar", &Make<TrackBarView, TTrackBar>},
    {"TComboBox", &Make<ComboBoxView, TComboBox>},
    {"TListView", &Make<ListViewView, TListView>},
    {"TPageControl", &Make<PageControlView, TPageControl>},
    {"TTabSheet", &Make<TabSheetView, TTabSheet>},
    {"TPopupMenu", &Make<PopupMenuView, TPopupMenu>},
    {"TTimer", &Make<TimerView, TTimer>},
};

// A static text that shows the control's caption.
class FallbackView final : public ControlView {
 public:
  using ControlView::ControlView;

 protected:
  WindowRecipe Recipe() const override { return {L"STATIC", SS_NOTIFY, 0}; }
};

}  // namespace

std::unique_ptr<ComponentView> MakeView(FormView& form, Component& component) {
  for (const MakerRow& row : kMakers) {
    if (row.className != component.ClassName()) continue;
    if (std::unique_ptr<ComponentView> view = row.make(form, component)) return view;
    break;
  }
  if (auto* control = dynamic_cast<Control*>(&component)) return std::make_unique<FallbackView>(form, *control);
  return nullptr;
}

}  // namespace varnox
