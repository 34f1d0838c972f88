// The Information page: logo, scrolling line, the About, OS and Internet
// groups; its refresh tick and its two links.

#include <string>
#include <tuple>
#include <utility>

#include "sysinfo/memory_text.h"
#include "sysinfo/up_time_text.h"
#include "window/form/conf_form.h"
#include "window/texts/contact.h"
#include "window/form/marquee.h"

namespace varnox {

namespace {

constexpr char kDetecting[] = "detecting ...";

TLabel& InfoLabel(TForm& form, const char* name, Control& parent, int left, int top, int width,
                  const std::string& caption) {
  auto& label = form.Add<TLabel>(name, parent);
  label.SetBounds(left, top, width, 13);
  label.SetCaption(caption);
  return label;
}

TGroupBox& InfoGroup(TForm& form, const char* name, Control& parent, int top, int height, const char* caption) {
  auto& group = form.Add<TGroupBox>(name, parent);
  group.SetBounds(0, top, 353, height);
  group.SetCaption(caption);
  return group;
}

// A link: navy italic, hand cursor, its own hint.
TLabel& InfoLink(TForm& form, const char* name, Control& parent, int left, int top, int width,
                 const std::string& caption, const char* hint) {
  auto& link = InfoLabel(form, name, parent, left, top, width, caption);
  link.SetFontColor(clNavy);
  link.SetFontStyle(fsItalic);
  link.SetCursor(TCursor::HandPoint);
  link.SetHint(hint);
  link.SetShowHint(true);
  return link;
}

}  // namespace

void TConfForm::BuildInformationPage(TTabSheet& sheet) {
  auto& logo = Add<TImage>("LogoImage", sheet);
  logo.SetBounds(0, 2, 32, 32);
  logo.SetPicture("MAINICON");

  // The heading is drawn twice: a grey shadow under the text itself.
  const std::string heading = "Configure your Windows NT/XP... ";
  for (auto [name, left, top, color] :
       {std::tuple{"ShadowLogoLabel", 36, 1, clGray}, std::tuple{"LogoLabel", 34, 0, clWindowText}}) {
    auto& label = InfoLabel(*this, name, sheet, left, top, 300, heading);
    label.SetHeight(24);
    label.SetFontName("Arial");
    label.SetFontHeight(-20);
    label.SetFontStyle(fsBold | fsItalic);
    label.SetFontColor(color);
    label.SetTransparent(true);
  }

  auto& run = InfoLabel(*this, "RunLabel", sheet, 34, 27, 311, "Visit the Varnox page for new versions and news");
  run.SetAutoSize(false);
  run.SetFontName("MS Sans Serif");
  run.SetFontHeight(-9);
  run.SetFontStyle(fsBold);
  run.SetFontColor(clBlue);

  auto& about = InfoGroup(*this, "gbAbout", sheet, 40, 65, " About program ");
  InfoLabel(*this, "lblProductVer", about, 8, 16, 120, "Program version");
  InfoLabel(*this, "lblFileVer", about, 8, 31, 120, "File version ( Build )");
  InfoLabel(*this, "lblAuthor", about, 8, 46, 120, "Written by");
  InfoLabel(*this, "ProductVerLabel", about, 130, 16, 215, "");
  InfoLabel(*this, "FileVerLabel", about, 130, 31, 215, "");
  InfoLabel(*this, "AuthorLabel", about, 130, 46, 215, "");

  auto& os = InfoGroup(*this, "gbOS", sheet, 112, 153, " OS ");
  os.SetShowHint(true);
  for (auto [name, top] : {std::pair{"SysLabel", 16}, std::pair{"SysVerLabel", 32}, std::pair{"SysPlusLabel", 48}}) {
    InfoLabel(*this, name, os, 8, top, 337, "").SetShowHint(true);
  }
  struct Row {
    const char* caption;
    const char* captionText;
    const char* value;
    int top;
  };
  for (const Row& row : {Row{"Label11", "Total physical memory", "TotalMemoryLabel", 72},
                         Row{"Label20", "Free physical memory", "FreeMemoryLabel", 90},
                         Row{"Label21", "File cache memory", "FileCacheLabel", 108},
                         Row{"Label34", "Windows up time", "LoadSystemTimeLabel", 126}}) {
    InfoLabel(*this, row.caption, os, 8, row.top, 130, row.captionText);
    InfoLabel(*this, row.value, os, 140, row.top, 205, kDetecting).SetShowHint(true);
  }

  auto& inet = InfoGroup(*this, "gbInet", sheet, 272, 49, " Additional information ");
  const MouseMoveEvent plain = [this](Component& s, TShiftState shift, int x, int y) { FormMouseMove(s, shift, x, y); };
  inet.OnMouseMove = plain;
  InfoLabel(*this, "Label17", inet, 8, 14, 262, "New versions, information you may find in internet at").OnMouseMove =
      plain;
  auto& url = InfoLink(*this, "lblURL", inet, 272, 14, 70, "varnox page", "Click here to select web page");
  url.OnClick = [this](Component& s) { lblURLClick(s); };
  url.OnMouseMove = [this](Component& s, TShiftState shift, int x, int y) { lblURLMouseMove(s, shift, x, y); };
  InfoLabel(*this, "Label12", inet, 8, 30, 232, "Bugs, wishes, questions ?  Contact me via e-mail").OnMouseMove = plain;
  auto& mail = InfoLink(*this, "lblEMail", inet, 242, 30, 105, kMaintainerEmail, "Click here to mail me ");
  mail.OnClick = [this](Component& s) { lblEMailClick(s); };
  mail.OnMouseMove = [this](Component& s, TShiftState shift, int x, int y) { lblEMailMouseMove(s, shift, x, y); };
}

void TConfForm::RunTimerTimer(Component& /*sender*/) {
  if (!FMarqueeText.empty()) Find<TLabel>("RunLabel").SetCaption(RotateMarquee(FMarqueeText));
  SystemApi& system = platform_.system;
  Find<TLabel>("FreeMemoryLabel").SetCaption(FreeMemoryText(system));
  Find<TLabel>("FileCacheLabel").SetCaption(FIsNT ? GetFileCacheText(system) : kFileCacheNotAvailableText);
  Find<TLabel>("LoadSystemTimeLabel").SetCaption(GetUpTimeText(system));
  if (GetWindowState() == WindowState::Maximized) SetWindowState(WindowState::Normal);
}

void TConfForm::lblURLClick(Component& /*sender*/) {
  int x = 0;
  int y = 0;
  services_.CursorPos(x, y);
  Find<TPopupMenu>("pmSelectURL").Popup(x, y);
}

void TConfForm::onVelmoClick(Component& /*sender*/) { platform_.system.ShellOpen(kWebPageAddress); }

void TConfForm::lblEMailClick(Component& /*sender*/) {
  platform_.system.ShellOpen(std::string("mailto:") + kMaintainerEmail + "?subject=Varnox");
}

// Only the colour and the underline change; the links stay italic.
void TConfForm::SetLinkHighlight(bool urlHot, bool emailHot) {
  for (auto [name, hot] : {std::pair{"lblURL", urlHot}, std::pair{"lblEMail", emailHot}}) {
    auto& link = Find<TLabel>(name);
    link.SetFontColor(hot ? clBlue : clNavy);
    link.SetFontStyle(hot ? (link.FontStyle() | fsUnderline) : (link.FontStyle() & ~fsUnderline));
  }
}

void TConfForm::FormMouseMove(Component& /*sender*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  SetLinkHighlight(false, false);
}

void TConfForm::lblURLMouseMove(Component& /*sender*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  SetLinkHighlight(true, false);
}

void TConfForm::lblEMailMouseMove(Component& /*sender*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  SetLinkHighlight(false, true);
}

}  // namespace varnox
