#include "toolkit/win32/view_factory.h"

#include <functional>
#include <map>
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

using Maker = std::function<std::unique_ptr<ComponentView>(FormView&, Component&)>;

template <class View, class Kind>
Maker For() {
  return [](FormView& form, Component& component) -> std::unique_ptr<ComponentView> {
    auto* kind = dynamic_cast<Kind*>(&component);
    if (!kind) return nullptr;
    return std::make_unique<View>(form, *kind);
  };
}

const std::map<std::string_view, Maker>& Makers() {
  static const std::map<std::string_view, Maker> makers = {
      {"TCheckBox", For<CheckBoxView, TCheckBox>()},
      {"TRadioButton", For<RadioButtonView, TRadioButton>()},
      {"TRadioGroup", For<RadioGroupView, TRadioGroup>()},
      {"TButton", For<ButtonView, TButton>()},
      {"TBitBtn", For<ButtonView, TButton>()},
      {"TSpeedButton", For<SpeedButtonView, TSpeedButton>()},
      {"TGroupBox", For<GroupBoxView, Control>()},
      {"TLabel", For<LabelView, TLabel>()},
      {"TStaticText", For<StaticTextView, TStaticText>()},
      {"TPanel", For<PanelView, TPanel>()},
      {"TBevel", For<BevelView, TBevel>()},
      {"TImage", For<ImageView, TImage>()},
      {"TEdit", For<EditView, TEdit>()},
      {"TUpDown", For<UpDownView, TUpDown>()},
      {"TTrackBar", For<TrackBarView, TTrackBar>()},
      {"TComboBox", For<ComboBoxView, TComboBox>()},
      {"TListView", For<ListViewView, TListView>()},
      {"TPageControl", For<PageControlView, TPageControl>()},
      {"TTabSheet", For<TabSheetView, TTabSheet>()},
      {"TPopupMenu", For<PopupMenuView, TPopupMenu>()},
      {"TTimer", For<TimerView, TTimer>()},
  };
  return makers;
}

// A static text that shows the control's caption.
class FallbackView final : public ControlView {
 public:
  using ControlView::ControlView;

 protected:
  WindowRecipe Recipe() const override { return {L"STATIC", SS_NOTIFY, 0}; }
};

}  // namespace

std::unique_ptr<ComponentView> MakeView(FormView& form, Component& component) {
  const auto& makers = Makers();
  if (auto found = makers.find(component.ClassName()); found != makers.end()) {
    if (std::unique_ptr<ComponentView> view = found->second(form, component)) return view;
  }
  if (auto* control = dynamic_cast<Control*>(&component)) return std::make_unique<FallbackView>(form, *control);
  return nullptr;
}

}  // namespace varnox
