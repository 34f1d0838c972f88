#pragma once
// TConfForm: the configuration window as a model. It builds its controls
// (the Information page, the buttons, the options panel and, through the
// page sources, every settings page), runs the creation steps, the timer,
// the options panel, the links and OK/Cancel, and carries the state every
// page shares: the modified flags, FLoaded and the load/save frame.
//
// A Win32 view mirrors it on the screen; natively it runs on the scripted
// system and the in-memory registry.

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "toolkit/toolkit.h"
#include "window/setting_group.h"
#include "window/settings_frame.h"

namespace varnox {

// What the form needs from whoever shows it on the screen.
class WindowServices {
 public:
  // Repaints the window at once.
  virtual void RepaintNow() = 0;
  // Lets the thread handle its pending messages (timer ticks included).
  virtual void ProcessMessages() = 0;
  // The mouse cursor's position on the screen.
  virtual void CursorPos(int& x, int& y) = 0;
  // Reports an error in a message box; the window goes on.
  virtual void ShowError(const std::string& message) = 0;

 protected:
  ~WindowServices() = default;
};

class TConfForm : public TForm {
 public:
  TConfForm(Platform& platform, WindowServices& services);
  ~TConfForm() override;
  const char* ClassName() const override { return "TConfForm"; }

  // The creation handler; errors it raises reach the caller after the
  // form has put itself into a safe state (see FormCreate in the source).
  void FormCreate();

  void LoadSettings();
  void SaveSettings();
  void SetEnglishTexts();
  void SetRussianTexts();

  // The common part of every settings handler: enable OK, raise the flag.
  void MarkModified(SettingGroup group);
  bool Modified(SettingGroup group) const { return flags_.Raised(group); }
  ModifiedFlags& Flags() { return flags_; }
  SettingsFrame& Frame() { return frame_; }

  Platform& platform() const { return platform_; }
  WindowServices& Services() const { return services_; }

  bool FIsNT = false;
  bool FLoaded = false;
  int FNormalHeight = 0;
  std::string FMarqueeText;  // UTF-8
  std::string FUserName;     // UTF-8, as GetUserNameA gave it

 private:
  Platform& platform_;
  WindowServices& services_;
  ModifiedFlags flags_;
  SettingsFrame frame_;
};

}  // namespace varnox
