#pragma once
// TEdit: a one-line text edit. OnChange fires whenever the text changes,
// whether the program set it or the user typed; setting the same text again
// fires nothing.

#include <cstddef>
#include <string>

#include "toolkit/control.h"

namespace varnox {

class TEdit : public Control {
 public:
  explicit TEdit(const ComponentArgs& args);
  const char* ClassName() const override { return "TEdit"; }

  // The most characters the user may type; 0 means no limit. The program
  // may set longer texts.
  std::size_t MaxLength() const { return maxLength_; }
  void SetMaxLength(std::size_t length);
  // The character shown in place of each typed one; '\0' shows the text.
  // Changing it makes the view rebuild its window, which may report the
  // unchanged text back through UserType — that fires nothing here.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char mask);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);

  NotifyEvent OnChange;

  // The edit's whole text after the user typed, pasted or deleted. Cut to
  // MaxLength characters; ignored when read-only or not accepting input.
  void UserType(const std::string& text);

 protected:
  void TextChanged() override { Fire(OnChange); }
  bool TakesFocus() const override { return true; }

 private:
  std::size_t maxLength_ = 0;
  char passwordChar_ = '\0';
  bool readOnly_ = false;
};

// The first `characters` characters of UTF-8 `text` (never a broken one).
std::string LeadingCharacters(const std::string& text, std::size_t characters);

}  // namespace varnox
