#include "window/texts/language_texts.h"

#include <algorithm>

namespace varnox {

std::string CurrentUserMenuCaption(const LanguageTexts& texts, std::string_view userName) {
  // The name comes from a fixed buffer; whatever follows its NUL is stale.
  userName = userName.substr(0, userName.find('\0'));
  std::string caption;
  caption.reserve(texts.currentUserCaptionPrefix.size() + userName.size() + 3);
  caption.append(texts.currentUserCaptionPrefix);
  caption.push_back('"');
  caption.append(userName);
  caption.append("\")");
  return caption;
}

std::string_view HintFor(const LanguageTexts& texts, std::string_view control) {
  const auto found = std::ranges::find(texts.hints, control, &HintAssignment::control);
  return found == texts.hints.end() ? std::string_view{} : found->text;
}

}  // namespace varnox
