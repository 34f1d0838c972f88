#include "toolkit/edit.h"

namespace varnox {

TEdit::TEdit(const ComponentArgs& args) : Control(args) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TEdit::SetMaxLength(std::size_t length) { Update(maxLength_, length, Property::Style); }

void TEdit::SetPasswordChar(char mask) { Update(passwordChar_, mask, Property::Style); }

void TEdit::SetReadOnly(bool on) { Update(readOnly_, on, Property::Style); }

void TEdit::UserType(const std::string& text) {
  if (readOnly_ || !AcceptsInput()) return;
  SetText(maxLength_ == 0 ? text : LeadingCharacters(text, maxLength_));
}

std::string LeadingCharacters(const std::string& text, std::size_t characters) {
  std::size_t bytes = 0;
  for (std::size_t counted = 0; bytes < text.size() && counted < characters; ++counted) {
    // Step over one lead byte and its continuation bytes (10xxxxxx).
    ++bytes;
    while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) ++bytes;
  }
  return text.substr(0, bytes);
}

}  // namespace varnox
