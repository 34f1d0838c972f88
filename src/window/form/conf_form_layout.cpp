// The window's frame as the layout gives it: the form, the page control with
// its ten pages, the buttons below them and the non-visual parts. The
// Information page and the options panel have sources of their own.

#include <array>
#include <string_view>

#include "window/form/conf_form.h"
#include "window/pages/pages.h"

namespace varnox {

namespace {

struct SheetLayout {
  std::string_view name;
  std::string_view caption;
};

constexpr std::array<SheetLayout, 10> kSheets = {{
    {"tsInformation", "Information"},
    {"tsLogon", "Logon"},
    {"tsMemory", "Memory management"},
    {"tsNetWork", "Network"},
    {"tsInternet", "Internet"},
    {"tsSecurity", "Security"},
    {"tsIDE", "IDE/ATAPI"},
    {"tsDeskTop", "Explorer"},
    {"tsOther", "Other"},
    {"tsOtherTools", "System tools"},
}};

// Where a page's content lies inside the page control (below the tabs).
constexpr int kSheetLeft = 4;
constexpr int kSheetTop = 24;
constexpr int kSheetWidth = 353;
constexpr int kSheetHeight = 327;

TBitBtn& AddButton(TForm& form, const char* name, int left, const char* caption) {
  auto& button = form.Add<TBitBtn>(name);
  button.SetBounds(left, 363, 71, 26);
  button.SetCaption(caption);
  return button;
}

}  // namespace

void TConfForm::BuildLayout() {
  SetClientWidth(kConfFormClientWidth);
  SetClientHeight(kConfFormClientHeight);
  SetBorderStyle(BorderStyle::ToolWindow);
  SetBorderIcons(0);
  SetPosition(FormPosition::ScreenCenter);
  SetFontName("MS Sans Serif");
  SetFontHeight(-11);
  SetFontCharset(204);  // Cyrillic, so the Russian texts show as such
  SetCaption("Varnox");
  OnMouseMove = [this](Component& s, TShiftState shift, int x, int y) { FormMouseMove(s, shift, x, y); };

  auto& pages = Add<TPageControl>("PageControl");
  pages.SetBounds(1, 3, 361, 355);
  pages.SetHotTrack(true);
  pages.SetShowHint(false);
  pages.OnChange = [this](Component& s) { PageControlChange(s); };
  pages.OnMouseMove = [this](Component& s, TShiftState shift, int x, int y) { FormMouseMove(s, shift, x, y); };
  for (const SheetLayout& layout : kSheets) {
    auto& sheet = Add<TTabSheet>(std::string(layout.name), pages);
    sheet.SetBounds(kSheetLeft, kSheetTop, kSheetWidth, kSheetHeight);
    sheet.SetCaption(std::string(layout.caption));
    sheet.SetShowHint(false);
  }
  // The layout carries it, but hints are off for the pages, so it never shows.
  Find<TTabSheet>("tsNetWork").SetHint("Network Parameters");
  pages.SetActivePage(&Find<TTabSheet>("tsInformation"));

  // The buttons are tab stops, so that a keyboard user reaches them.
  auto& apply = AddButton(*this, "ApplyBtn", 2, "OK");
  apply.SetHint("Apply all changes (Reboot may be required)");
  apply.SetShowHint(true);
  apply.SetDefault(true);
  apply.SetModalResult(mrOk);
  apply.OnClick = [this](Component& s) { ApplyBtnClick(s); };

  auto& cancel = AddButton(*this, "CancelBtn", 76, "Cancel");
  cancel.SetHint("Exit without saving");
  cancel.SetShowHint(true);
  cancel.SetCancel(true);
  cancel.SetModalResult(mrCancel);
  cancel.OnClick = [this](Component& s) { CancelBtnClick(s); };

  // Shown only when the load found keys this account may not change.
  auto& runAsAdmin = Add<TButton>("btnRunAsAdmin");
  runAsAdmin.SetBounds(151, 363, 141, 26);
  runAsAdmin.SetCaption("Run as administrator");
  runAsAdmin.SetShowHint(true);
  runAsAdmin.SetVisible(false);
  runAsAdmin.OnClick = [this](Component& s) { btnRunAsAdminClick(s); };

  auto& options = Add<TButton>("OptionsBtn");
  options.SetBounds(296, 363, 66, 26);
  options.SetCaption(kOptionsClosedCaption);
  options.OnClick = [this](Component& s) { OptionsBtnClick(s); };

  BuildInformationPage(Find<TTabSheet>("tsInformation"));
  BuildOptionsPanel();

  auto& timer = Add<TTimer>("RunTimer");
  timer.SetInterval(kRunTimerInterval);
  timer.OnTimer = [this](Component& s) { RunTimerTimer(s); };

  auto& selectUrl = Add<TPopupMenu>("pmSelectURL");
  auto& velmo = Add<TMenuItem>("onVelmo", selectUrl);
  velmo.SetCaption("site on Velmo");
  velmo.OnClick = [this](Component& s) { onVelmoClick(s); };
}

void TConfForm::RunPageBuilders() {
  for (const PageEntry& page : kPageBuilders) page.build(*this, Find<TTabSheet>(page.sheet));
}

}  // namespace varnox
