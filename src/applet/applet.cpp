#include "applet/applet.h"

#include <algorithm>
#include <cstring>

#include "window/elevation/user_start_parameter.h"

namespace varnox {

namespace {

constexpr std::size_t kNameSize = 32;
constexpr std::size_t kInfoSize = 64;

void PutDword(std::uint8_t* record, std::size_t offset, std::uint32_t value) {
  std::memcpy(record + offset, &value, sizeof value);
}

// A handle-sized field: 4 or 8 bytes, little-endian.
void PutHandle(std::uint8_t* record, std::size_t offset, std::size_t size, std::uint64_t value) {
  for (std::size_t i = 0; i < size; ++i) record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Copies text and its NUL into a fixed field; the bytes behind the NUL stay
// as the caller left them. Text longer than the field is cut rather than
// allowed to run into the next field.
void PutText(std::uint8_t* record, std::size_t offset, std::size_t fieldSize, const std::string& text) {
  const std::size_t length = std::min(text.size(), fieldSize - 1);
  std::memcpy(record + offset, text.data(), length);
  record[offset + length] = 0;
}

}  // namespace

void TApplet::Execute(WindowHandle parent, const std::string& userSid) const {
  // The window is destroyed on every path, also when captioning or the modal
  // loop raise.
  std::unique_ptr<ModalWindow> window = FormClass_(parent, userSid);
  window->SetCaption(Name + kCaptionSuffix);
  window->SetToolWindowBorder();
  window->ShowModal();
}

void TApplet::FillNewCplInfo(void* record, const NewCplInfoLayout& layout) const {
  auto* bytes = static_cast<std::uint8_t*>(record);
  PutDword(bytes, 0, static_cast<std::uint32_t>(layout.size));
  PutDword(bytes, 4, 0);  // dwFlags
  PutDword(bytes, 8, 0);  // dwHelpContext
  PutHandle(bytes, layout.lDataOffset, layout.pointerSize, 0);
  PutHandle(bytes, layout.iconOffset, layout.pointerSize, Icon);
  PutText(bytes, layout.nameOffset, kNameSize, Name);
  PutText(bytes, layout.infoOffset, kInfoSize, Info);
  bytes[layout.helpFileOffset] = 0;
}

void AppletHost::Register(std::unique_ptr<TApplet> applet) {
  if (applets_) applets_->push_back(std::move(applet));
}

const TApplet* AppletHost::AppletByIndex(std::int32_t index) const {
  if (!applets_ || index < 0 || static_cast<std::size_t>(index) >= applets_->size()) return nullptr;
  return (*applets_)[static_cast<std::size_t>(index)].get();
}

std::int32_t AppletHost::Dispatch(WindowHandle window, std::uint32_t message, std::intptr_t param1,
                                  std::intptr_t param2) {
  switch (message) {
    case kCplInit:
      controlPanelWindow_ = window;
      return 1;
    case kCplGetCount:
      return static_cast<std::int32_t>(Count());
    case kCplDblClk: {
      // An index the host should never send, or a message after CPL_EXIT,
      // is refused instead of reaching past the list.
      const TApplet* applet = AppletByIndex(static_cast<std::int32_t>(param1));
      if (!applet) return 1;
      applet->Execute(controlPanelWindow_);
      return 0;
    }
    case kCplStartWParmsA:
    case kCplStartWParmsW: {
      // Only a start parameter of this applet's own form opens the window
      // here; for any other the host goes on to CPL_DBLCLK.
      const TApplet* applet = AppletByIndex(static_cast<std::int32_t>(param1));
      if (!applet || param2 == 0) return 0;
      const auto user = message == kCplStartWParmsW
                            ? UserOfHostStartParameter(reinterpret_cast<const char16_t*>(param2))
                            : UserOfHostStartParameter(reinterpret_cast<const char*>(param2));
      if (!user) return 0;
      applet->Execute(controlPanelWindow_, *user);
      return 1;
    }
    case kCplExit:
      if (applets_) {
        while (!applets_->empty()) applets_->erase(applets_->begin());
        applets_.reset();
      }
      return 0;
    case kCplNewInquire: {
      const TApplet* applet = AppletByIndex(static_cast<std::int32_t>(param1));
      if (!applet || param2 == 0) return 1;
      applet->FillNewCplInfo(reinterpret_cast<void*>(param2));
      return 0;
    }
    default:
      // CPL_INQUIRE, CPL_SELECT, CPL_STOP and the rest: nothing to do.
      // Name and icon go out through CPL_NEWINQUIRE alone.
      return 0;
  }
}

}  // namespace varnox
