// The options panel below the pages: the hint language switch and the hint
// display time, the strip of registry file buttons, and its sliding in and out.

#include "window/form/conf_form.h"

namespace varnox {

namespace {

// Added to the panel's height: the margin below it when the window is open.
constexpr int kOptionsPanelMargin = 8;
// Colour of the panel (0x00DADADA, a light grey).
constexpr TColor kOptionsPanelColor = 14343386;

}  // namespace

void TConfForm::BuildOptionsPanel() {
  // It lies below the client area; only a taller window shows it.
  auto& panel = Add<TPanel>("HintPanel");
  panel.SetBounds(3, 399, 214, 80);
  panel.SetBevelInner(BevelCut::Raised);
  panel.SetBevelOuter(BevelCut::Lowered);
  panel.SetColor(kOptionsPanelColor);

  auto& language = Add<TCheckBox>("cbSwitchLanguage", panel);
  language.SetBounds(7, 4, 15, 17);
  language.OnClick = [this](Component& s) { cbSwitchLanguageClick(s); };

  auto& languageLabel = Add<TLabel>("lblHintsLang", panel);
  languageLabel.SetBounds(25, 6, 180, 13);
  languageLabel.SetCaption("Hints in russian language");
  languageLabel.OnClick = [this](Component& s) { lblHintsLangClick(s); };

  auto& visible = Add<TLabel>("lblVisible", panel);
  visible.SetBounds(7, 24, 70, 13);
  visible.SetCaption("Hints visible ");

  auto& pause = Add<TStaticText>("stHintPause", panel);
  pause.SetBounds(80, 24, 17, 16);
  pause.SetAlignment(TAlignment::Center);
  pause.SetFontStyle(fsBold);

  auto& spinner = Add<TUpDown>("udHintPause", panel);
  spinner.SetBounds(97, 24, 16, 16);
  spinner.SetRange(0, 100);
  spinner.SetIncrement(1);
  spinner.SetWrap(false);
  spinner.SetArrowKeys(false);
  spinner.SetAssociate(&pause);
  spinner.SetPosition(2);
  spinner.OnChangingEx = [this](Component& s, bool& allow, int position, UpDownButton button) {
    udHintPauseChanging(s, allow, position, button);
  };

  auto& seconds = Add<TLabel>("lblVisible2", panel);
  seconds.SetBounds(116, 24, 95, 13);
  seconds.SetCaption("seconds on display");

  // The registry files, in the strip beside the panel, above the bottom bevel.
  auto& saveChanges = Add<TButton>("btnSaveChanges");
  saveChanges.SetBounds(222, 400, 126, 19);
  saveChanges.SetCaption("Save changes as...");
  saveChanges.SetShowHint(true);
  saveChanges.OnClick = [this](Component& s) { btnSaveChangesClick(s); };
  Find<TButton>("ApplyBtn").AddObserver(saveChangesFollowsOk_);
  auto& backup = Add<TButton>("btnBackup");
  backup.SetBounds(222, 420, 126, 19);
  backup.SetCaption("Back up settings as...");
  backup.SetShowHint(true);
  backup.OnClick = [this](Component& s) { btnBackupClick(s); };
  auto& open = Add<TButton>("btnOpenSettings");
  open.SetBounds(222, 440, 126, 19);
  open.SetCaption("Open settings file...");
  open.SetShowHint(true);
  open.OnClick = [this](Component& s) { btnOpenSettingsClick(s); };

  auto& groupPolicy = Add<TButton>("btnSaveGroupPolicy");
  groupPolicy.SetBounds(222, 460, 126, 19);
  groupPolicy.SetCaption("Save for Group Policy...");
  groupPolicy.SetShowHint(true);
  groupPolicy.OnClick = [this](Component& s) { btnSaveGroupPolicyClick(s); };

  auto& right = Add<TBevel>("Bevel1");
  right.SetBounds(351, 397, 10, 78);
  right.SetShape(BevelShape::RightLine);
  right.SetStyle(BevelStyle::Raised);
  auto& bottom = Add<TBevel>("Bevel2");
  bottom.SetBounds(224, 468, 135, 10);
  bottom.SetShape(BevelShape::BottomLine);
  bottom.SetStyle(BevelStyle::Raised);
}

// Slides the panel in or out one pixel per step. Messages are let through
// between steps, so a second click may run the same slide to its end inside
// this one; the loop then finds itself done. The bounds are "at least" and
// "at most", so a height that somehow passed the goal cannot loop forever.
void TConfForm::OptionsBtnClick(Component& /*sender*/) {
  auto& button = Find<TButton>("OptionsBtn");
  const bool opening = button.Caption() == kOptionsClosedCaption;
  const int openHeight = FNormalHeight + Find<TPanel>("HintPanel").Height() + kOptionsPanelMargin;
  const int goal = opening ? openHeight : FNormalHeight;
  const int step = opening ? 1 : -1;
  while (opening ? Height() < goal : Height() > goal) {
    SetHeight(Height() + step);
    services_.RepaintNow();
    if (FIsNT) platform_.system.Sleep(1);
    services_.ProcessMessages();
  }
  button.SetCaption(opening ? kOptionsOpenCaption : kOptionsClosedCaption);
}

void TConfForm::cbSwitchLanguageClick(Component& /*sender*/) {
  switch (Find<TCheckBox>("cbSwitchLanguage").State()) {
    case cbUnchecked:
      SetEnglishTexts();
      break;
    case cbChecked:
      SetRussianTexts();
      break;
    case cbGrayed:
      break;
  }
}

void TConfForm::lblHintsLangClick(Component& /*sender*/) {
  auto& language = Find<TCheckBox>("cbSwitchLanguage");
  language.SetChecked(!language.Checked());
}

void TConfForm::udHintPauseChanging(Component& /*sender*/, bool& /*allowChange*/, int newPosition,
                                    UpDownButton /*button*/) {
  ApplicationHints().SetHidePause(newPosition * 1000);
}

}  // namespace varnox
