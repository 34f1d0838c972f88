#pragma once
// The applet object, the library's list of applets, and the Control Panel
// messages they answer. Portable: the window itself comes in through a
// factory, so the protocol is tested natively and under Wine alike.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system_api.h"
#include "sysinfo/host_process.h"

namespace varnox {

using WindowHandle = std::uintptr_t;

// Where the fields of the ANSI NEWCPLINFO record lie. The record is packed
// to single bytes; a 32-bit host passes 244 bytes, a 64-bit host's record
// has 64-bit lData and hIcon and is 252 bytes long.
struct NewCplInfoLayout {
  std::size_t size;
  std::size_t lDataOffset;
  std::size_t iconOffset;
  std::size_t pointerSize;
  std::size_t nameOffset;
  std::size_t infoOffset;
  std::size_t helpFileOffset;
};
inline constexpr NewCplInfoLayout kNewCplInfo32{244, 12, 16, 4, 20, 52, 116};
inline constexpr NewCplInfoLayout kNewCplInfo64{252, 12, 20, 8, 28, 60, 124};
inline constexpr NewCplInfoLayout kNewCplInfoNative = sizeof(void*) == 8 ? kNewCplInfo64 : kNewCplInfo32;

// What TApplet.Execute needs of the window it opens.
class ModalWindow {
 public:
  virtual ~ModalWindow() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetToolWindowBorder() = 0;
  virtual void ShowModal() = 0;
};

// The "class reference" of an applet: creates its window under a parent.
// A user's SID, when given, names whose per-user settings the window shows
// (a window started with an administrator's rights for a standard user);
// empty means the process's own user.
using FormClass = std::function<std::unique_ptr<ModalWindow>(WindowHandle parent, const std::string& userSid)>;

class TApplet {
 public:
  explicit TApplet(FormClass formClass) : FormClass_(std::move(formClass)) {}

  void Execute(WindowHandle parent, const std::string& userSid = {}) const;
  // Fills a caller-owned NEWCPLINFOA record (244 bytes in a 32-bit host).
  void FillNewCplInfo(void* record, const NewCplInfoLayout& layout = kNewCplInfoNative) const;

  std::string Name;
  std::uintptr_t Icon = 0;
  std::string Info;

 private:
  FormClass FormClass_;
};

inline constexpr char kCaptionSuffix[] = "- freeware tool for tuning Windows NT/2000/XP/2003";

// Control Panel messages.
enum CplMessage : std::uint32_t {
  kCplInit = 1,
  kCplGetCount = 2,
  kCplInquire = 3,
  kCplSelect = 4,
  kCplDblClk = 5,
  kCplStop = 6,
  kCplExit = 7,
  kCplNewInquire = 8,
  kCplStartWParmsA = 9,
  kCplStartWParmsW = 10,
};

// The library's applets and the Control Panel window they open under.
class AppletHost {
 public:
  // Appends an applet (TApplet.Register).
  void Register(std::unique_ptr<TApplet> applet);
  // The applet at a 0-based index; nullptr when there is none.
  const TApplet* AppletByIndex(std::int32_t index) const;

  // CPlApplet's answer to one message.
  std::int32_t Dispatch(WindowHandle window, std::uint32_t message, std::intptr_t param1, std::intptr_t param2);

  WindowHandle ControlPanelWindow() const { return controlPanelWindow_; }
  bool Exited() const { return !applets_; }
  std::size_t Count() const { return applets_ ? applets_->size() : 0; }

 private:
  using AppletList = std::vector<std::unique_ptr<TApplet>>;
  std::unique_ptr<AppletList> applets_ = std::make_unique<AppletList>();
  WindowHandle controlPanelWindow_ = 0;
};

}  // namespace varnox
