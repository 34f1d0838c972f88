#pragma once
// The English and Russian texts that the configuration window puts on itself:
// the hints of the settings controls, the captions of the login-name and
// password menus and of the options panel, and the scrolling line of the
// Information page. Only data here; the window applies it.
//
// All texts are UTF-8. The window converts them to UTF-16 for the wide Win32
// calls, so the Russian texts read correctly whatever the ANSI code page is.
// A hint of several lines separates them with "\r\n".

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace varnox {

struct HintAssignment {
  std::string_view control;  // the control's name in the window's layout
  std::string_view text;
};

struct LanguageTexts {
  // cbSwitchLanguage ticked means Russian; each language sets it first.
  bool switchLanguageTicked = false;

  // Every hint, one per control, in the order the window assigns them. The
  // first legendHintCount entries (the grey-box legend labels) are assigned
  // before the marquee and the captions, the rest after them. Controls that
  // share a text appear once each, with the same text.
  std::span<const HintAssignment> hints;
  std::size_t legendHintCount = 0;
  // Hints that a control shows instead while it is disabled: why it is.
  std::span<const HintAssignment> disabledHints;

  std::string_view marquee;  // FMarqueeText; never empty

  std::string_view typeAdminEnglishCaption;   // miTypeAdmine
  std::string_view typeAdminRussianCaption;   // miTypeAdminr
  bool typeAdminRussianEnabled = false;       // miTypeAdminr makes sense only in Russian
  std::string_view currentUserCaptionPrefix;  // miCurrentUser, before the quoted user name

  std::string_view showPasswordCaption;    // miShowPassword
  std::string_view hidePasswordCaption;    // miHidePassword
  std::string_view hintsLanguageCaption;   // lblHintsLang
  std::string_view visibleCaption;         // lblVisible
  std::string_view visibleSecondsCaption;  // lblVisible2

  // After OK, before the values it left as another program changed them.
  std::string_view keptElsewhereMessage;
};

const LanguageTexts& EnglishTexts();
const LanguageTexts& RussianTexts();

// The caption of miCurrentUser: the language's prefix, then the user name in
// double quotation marks and a closing parenthesis. The name (UTF-8) is taken
// up to its first NUL, as the window's fixed buffer holds it; an empty name
// leaves the two quotation marks side by side.
std::string CurrentUserMenuCaption(const LanguageTexts& texts, std::string_view userName);

// The hint of one control, or an empty view when the language has none for it.
std::string_view HintFor(const LanguageTexts& texts, std::string_view control);

}  // namespace varnox
