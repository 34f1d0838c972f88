#include "toolkit/win32/edit_view.h"

#include "toolkit/win32/form_view.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

namespace {

// What the edit shows in place of each character; the model's mask is one
// byte, so anything but plain ASCII becomes the usual asterisk.
WPARAM MaskCharacter(char mask) {
  const auto byte = static_cast<unsigned char>(mask);
  if (byte == 0) return 0;
  return byte < 0x80 ? byte : L'*';
}

}  // namespace

ControlView::WindowRecipe EditView::Recipe() const { return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE}; }

void EditView::Apply(Property property) {
  if (property != Property::Style) {
    ControlView::Apply(property);
    return;
  }
  // 0 lifts the limit to the largest the edit allows.
  SendMessageW(Window(), EM_LIMITTEXT, edit_.MaxLength(), 0);
  SendMessageW(Window(), EM_SETPASSWORDCHAR, MaskCharacter(edit_.PasswordChar()), 0);
  SendMessageW(Window(), EM_SETREADONLY, edit_.ReadOnly(), 0);
  if (!Creating()) InvalidateRect(Window(), nullptr, TRUE);
}

void EditView::Command(HWND /*from*/, UINT code) {
  if (code != EN_CHANGE) return;
  const std::string typed = WideToUtf8(WindowTextW(Window()));
  User([&] { edit_.UserType(typed); });
  // The model may have cut or refused the text; the window shows what it kept.
  Resync(Property::Text);
}

}  // namespace varnox
