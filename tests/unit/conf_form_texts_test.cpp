// The two languages on the window: the choice by locale, the switch in the
// options panel, and the hint display time.

#include <map>

#include "conf_form_fixture.h"
#include "window/texts/language_texts.h"

namespace varnox::conf_form_test {
namespace {

// Everything a language operation may touch, to compare windows with.
struct TextState {
  std::map<std::string, std::string> hints;
  std::map<std::string, std::string> captions;
  std::map<std::string, bool> menuEnabled;
  std::string marquee;
  TCheckBoxState switchState;
  bool operator==(const TextState&) const = default;
};

class TextsTest : public ConfFormTest {
 protected:
  // Builds the window with every control the text tables name (as the pages
  // will have them) and the two menus, then runs the creation step.
  TConfForm& OpenWithAllControls(std::uint32_t locale) {
    RecordLibraryLoadLocale(locale);
    TConfForm& window = Build(ScriptedSystem::WinXPSp3());
    auto& sheet = window.Find<TTabSheet>("tsLogon");
    for (const HintAssignment& hint : EnglishTexts().hints) {
      if (window.FindComponent(hint.control) == nullptr) window.Add<TLabel>(std::string(hint.control), sheet);
    }
    for (auto [menu, items] :
         {std::pair{"pmLoginName", std::vector<const char*>{"miTypeAdmine", "miTypeAdminr", "miCurrentUser"}},
          std::pair{"pmHidePassword", std::vector<const char*>{"miShowPassword", "miHidePassword"}}}) {
      if (window.FindComponent(menu) != nullptr) continue;
      auto& popup = window.Add<TPopupMenu>(menu);
      for (const char* item : items) window.Add<TMenuItem>(item, popup);
    }
    window.FormCreate();
    return window;
  }

  TextState State() {
    TextState state;
    for (Component* component : form().Components()) {
      if (auto* control = dynamic_cast<Control*>(component)) {
        state.hints[control->Name()] = control->Hint();
        state.captions[control->Name()] = control->Caption();
      } else if (auto* item = dynamic_cast<TMenuItem*>(component)) {
        state.captions[item->Name()] = item->Caption();
        state.menuEnabled[item->Name()] = item->Enabled();
      }
    }
    state.marquee = form().FMarqueeText;
    state.switchState = Find<TCheckBox>("cbSwitchLanguage").State();
    return state;
  }
};

TEST(LocaleTest, RussianOnlyByThePrimaryLanguage) {
  EXPECT_TRUE(IsRussianLocale(0x0419));
  EXPECT_TRUE(IsRussianLocale(0x0819));   // Russian as spoken in Moldova
  EXPECT_TRUE(IsRussianLocale(0x10419));  // with a sort order
  EXPECT_FALSE(IsRussianLocale(0));       // counts as English
  EXPECT_FALSE(IsRussianLocale(0x0409));
  EXPECT_FALSE(IsRussianLocale(0x0422));  // Ukrainian
}

TEST_F(TextsTest, LocalePicksTheLanguageAndEveryTableControlGetsItsHint) {
  for (const std::uint32_t locale : {0x0419u, 0u, 0x0409u}) {
    SCOPED_TRACE(locale);
    const bool russian = locale == 0x0419;
    const LanguageTexts& texts = russian ? RussianTexts() : EnglishTexts();
    OpenWithAllControls(locale);
    EXPECT_EQ(Find<TCheckBox>("cbSwitchLanguage").Checked(), russian);
    EXPECT_EQ(form().FMarqueeText, texts.marquee);
    EXPECT_EQ(Caption("lblHintsLang"), texts.hintsLanguageCaption);
    EXPECT_EQ(Caption("lblVisible2"), texts.visibleSecondsCaption);
    EXPECT_EQ(Find<TMenuItem>("miTypeAdminr").Enabled(), russian);
    EXPECT_EQ(Find<TMenuItem>("miCurrentUser").Caption(), CurrentUserMenuCaption(texts, "Administrator"));
    for (const HintAssignment& hint : texts.hints) {
      EXPECT_EQ(Find(std::string(hint.control)).Hint(), hint.text) << hint.control;
    }
  }
}

TEST_F(TextsTest, SwitchingChangesEveryLanguageTextAndBackAgain) {
  OpenWithAllControls(0x0419);
  const TextState russian = State();
  OpenWithAllControls(0x0409);
  const TextState english = State();
  ASSERT_NE(russian, english);

  // The label reverses the box, and the box's handler applies the language.
  Find("lblHintsLang").UserClick();
  EXPECT_EQ(State(), russian);
  Find("cbSwitchLanguage").UserClick();
  EXPECT_EQ(State(), english);

  // Captions outside the tables, and the layout hints of the buttons and links, stay.
  EXPECT_EQ(english.captions.at("tsMemory"), russian.captions.at("tsMemory"));
  EXPECT_EQ(russian.captions.at("OptionsBtn"), "Options >");
  EXPECT_EQ(russian.captions.at("gbOS"), " OS ");
  EXPECT_EQ(russian.hints.at("ApplyBtn"), "Apply all changes (Reboot may be required)");
  EXPECT_EQ(russian.hints.at("lblEMail"), "Click here to mail me ");
}

TEST_F(TextsTest, RunningALanguageTwiceEqualsRunningItOnce) {
  OpenWithAllControls(0x0409);
  form().SetRussianTexts();
  const TextState once = State();
  form().SetRussianTexts();
  EXPECT_EQ(State(), once);
  form().SetEnglishTexts();
  const TextState englishOnce = State();
  form().SetEnglishTexts();
  EXPECT_EQ(State(), englishOnce);
}

TEST_F(TextsTest, NewMarqueeStartsFromItsBeginning) {
  OpenWithAllControls(0x0409);
  auto& timer = Find<TTimer>("RunTimer");
  for (int tick = 0; tick < 5; ++tick) timer.Tick();
  Find("lblHintsLang").UserClick();
  EXPECT_EQ(form().FMarqueeText, RussianTexts().marquee);
  timer.Tick();
  EXPECT_EQ(Caption("RunLabel").rfind("arnox", 0), 0u);  // "Varnox ..." moved by one
}

TEST_F(TextsTest, SpinnerSetsTheHintDisplayTime) {
  Open(ScriptedSystem::WinXPSp3());
  auto& spinner = Find<TUpDown>("udHintPause");
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(ApplicationHints().HidePause(), 8000);
  EXPECT_EQ(Caption("stHintPause"), "8");
  for (int click = 0; click < 8; ++click) spinner.UserArrowClick(UpDownButton::Down);
  EXPECT_EQ(spinner.Position(), 0);
  EXPECT_EQ(ApplicationHints().HidePause(), 0);
  // A program change of the spinner is not the user's and leaves the time alone.
  spinner.SetPosition(50);
  EXPECT_EQ(ApplicationHints().HidePause(), 0);
}

}  // namespace
}  // namespace varnox::conf_form_test
