// Putting one language's texts on the window. A control the table names but
// the window does not have (its page is not built) is passed over; the page
// builders run before the creation step, so every built control gets its
// text there.

#include "window/form/conf_form.h"
#include "window/texts/language_texts.h"
#include "window/texts/load_locale.h"

namespace varnox {

namespace {

constexpr std::uint32_t kEnglishLocale = 0x409;
constexpr std::uint32_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint32_t kLangRussian = 0x19;

}  // namespace

bool IsRussianLocale(std::uint32_t locale) {
  if (locale == 0) locale = kEnglishLocale;
  return (locale & kPrimaryLanguageMask) == kLangRussian;
}

std::string TConfForm::KeptElsewhereMessage(const std::vector<std::string>& names) {
  const bool russian = Find<TCheckBox>("cbSwitchLanguage").Checked();
  std::string message((russian ? RussianTexts() : EnglishTexts()).keptElsewhereMessage);
  for (const std::string& name : names) message += "\r\n" + platform_.system.AnsiToUtf8(name);
  return message;
}

void TConfForm::SetHintOf(std::string_view control, std::string_view text) {
  if (auto* target = dynamic_cast<Control*>(FindComponent(control))) target->SetHint(std::string(text));
}

void TConfForm::SetMenuCaption(std::string_view item, const std::string& caption) {
  if (auto* target = dynamic_cast<TMenuItem*>(FindComponent(item))) target->SetCaption(caption);
}

void TConfForm::SetMenuEnabled(std::string_view item, bool enabled) {
  if (auto* target = dynamic_cast<TMenuItem*>(FindComponent(item))) target->SetEnabled(enabled);
}

// Steps 1 to 3 of either language: the switch, the legend hints, the
// marquee. Ticking or clearing the switch runs its click handler when the
// state really changes, which runs the same operation once more; both only
// assign, so the end result is the same.
void TConfForm::ApplyLanguageOpening(const LanguageTexts& texts) {
  Find<TCheckBox>("cbSwitchLanguage").SetChecked(texts.switchLanguageTicked);
  for (const HintAssignment& hint : texts.hints.first(texts.legendHintCount)) SetHintOf(hint.control, hint.text);
  FMarqueeText = std::string(texts.marquee);
}

// The last steps of either language: the password menu, the panel labels and
// the hints of everything else.
void TConfForm::ApplyLanguageClosing(const LanguageTexts& texts) {
  SetMenuCaption("miShowPassword", std::string(texts.showPasswordCaption));
  SetMenuCaption("miHidePassword", std::string(texts.hidePasswordCaption));
  Find<TLabel>("lblHintsLang").SetCaption(std::string(texts.hintsLanguageCaption));
  Find<TLabel>("lblVisible").SetCaption(std::string(texts.visibleCaption));
  Find<TLabel>("lblVisible2").SetCaption(std::string(texts.visibleSecondsCaption));
  for (const HintAssignment& hint : texts.hints.subspan(texts.legendHintCount)) SetHintOf(hint.control, hint.text);
  for (const HintAssignment& hint : texts.disabledHints) {
    const auto* target = dynamic_cast<Control*>(FindComponent(hint.control));
    if (target != nullptr && !target->Enabled()) SetHintOf(hint.control, hint.text);
  }
}

void TConfForm::SetEnglishTexts() {
  const LanguageTexts& texts = EnglishTexts();
  ApplyLanguageOpening(texts);
  SetMenuCaption("miTypeAdmine", std::string(texts.typeAdminEnglishCaption));
  SetMenuCaption("miTypeAdminr", std::string(texts.typeAdminRussianCaption));
  SetMenuCaption("miCurrentUser", CurrentUserMenuCaption(texts, FUserName));
  SetMenuEnabled("miTypeAdminr", texts.typeAdminRussianEnabled);
  ApplyLanguageClosing(texts);
}

void TConfForm::SetRussianTexts() {
  const LanguageTexts& texts = RussianTexts();
  ApplyLanguageOpening(texts);
  SetMenuCaption("miTypeAdmine", std::string(texts.typeAdminEnglishCaption));
  SetMenuCaption("miTypeAdminr", std::string(texts.typeAdminRussianCaption));
  SetMenuEnabled("miTypeAdminr", texts.typeAdminRussianEnabled);
  SetMenuCaption("miCurrentUser", CurrentUserMenuCaption(texts, FUserName));
  ApplyLanguageClosing(texts);
}

void TConfForm::ApplyLocaleLanguage() {
  if (IsRussianLocale(LibraryLoadLocale())) {
    SetRussianTexts();
  } else {
    SetEnglishTexts();
  }
  languageApplied_ = true;
}

}  // namespace varnox
