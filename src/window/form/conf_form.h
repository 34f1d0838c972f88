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
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "settings/read_log_registry.h"
#include "settings/registry_edit.h"
#include "toolkit/control_states.h"
#include "toolkit/toolkit.h"
#include "window/frame/external_changes.h"
#include "window/frame/setting_group.h"
#include "window/frame/settings_frame.h"
#include "window/texts/language_texts.h"

namespace varnox {

struct AnsiCodec;
struct OpenedFile;
struct RegFileContents;

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
  // Tells the user something in a message box.
  virtual void ShowMessage(const std::string& message) = 0;
  // Asks a question with Yes and No; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;
  // The common Save As dialog for a registry file, titled `title` and
  // offering `defaultName`; the chosen path (UTF-8), or nullopt on Cancel.
  virtual std::optional<std::string> AskSaveFileName(const std::string& title, const std::string& defaultName) = 0;
  // The common Open dialog for an existing registry file, titled `title`.
  virtual std::optional<std::string> AskOpenFileName(const std::string& title) = 0;
  // The shell's folder dialog, headed `title`; the chosen folder (UTF-8),
  // or nullopt on Cancel.
  virtual std::optional<std::string> AskFolder(const std::string& title) = 0;

 protected:
  ~WindowServices() = default;
};

// Hands handler errors to the window's message box.
class ServicesErrorSink final : public ErrorSink {
 public:
  explicit ServicesErrorSink(WindowServices& services) : services_(services) {}
  void ShowError(const std::string& message) override { services_.ShowError(message); }

 private:
  WindowServices& services_;
};

// The layout's figures that the behaviour depends on.
inline constexpr int kConfFormClientWidth = 365;
inline constexpr int kConfFormClientHeight = 393;
inline constexpr unsigned kRunTimerInterval = 333;
// Hint display time that the creation step sets on the NT family.
inline constexpr int kInitialHintHidePause = 7000;
// How often the creation step lets messages through on Windows 2000.
inline constexpr int kWin2000MessagePasses = 106;

// The applet's name, as the Control Panel lists it and starts it by.
inline constexpr char kAppletName[] = "Varnox";

inline constexpr char kOptionsClosedCaption[] = "Options >";
inline constexpr char kOptionsOpenCaption[] = "Options <";
inline constexpr char kRunDll32Suffix[] = " ( Control panel applet )";
inline constexpr char kApplicationSuffix[] = " ( Application )";
inline constexpr char kChangesFileName[] = "varnox-changes.reg";
inline constexpr char kBackupFileName[] = "varnox-backup.reg";

// True when the locale's primary language (its low 10 bits) is Russian; a
// locale of 0 counts as 0x409, English.
bool IsRussianLocale(std::uint32_t locale);

class TConfForm : public TForm {
 public:
  // Builds every control of the layout and runs the page builders; nothing
  // is read from the registry until FormCreate.
  TConfForm(Platform& platform, WindowServices& services);
  ~TConfForm() override;
  const char* ClassName() const override { return "TConfForm"; }

  // The creation handler. The view calls it once, after it has reported the
  // frame's extents (FNormalHeight is the outer height at that moment) and
  // before the modal loop.
  //
  // It reports its own errors and never throws: when a step raises (a
  // registry read during the load, or one of the system texts), the window
  // is put into a safe state — the controls of every section that was not
  // loaded are disabled (the whole page control when nothing can be loaded
  // on this platform), every flag is lowered and OK is disabled, so nothing
  // the window shows without having read it can be written — and then the
  // message goes to WindowServices::ShowError once. The window still opens.
  void FormCreate();

  void LoadSettings();
  // Writes what OK writes; returns the values it left as another program
  // changed them since the load.
  ExternalChanges SaveSettings();
  // The values OK would leave as another program left them.
  ExternalChanges ChangedElsewhere();
  void SetEnglishTexts();
  void SetRussianTexts();

  // The common part of every settings handler: enable OK, raise the flag.
  void MarkModified(SettingGroup group);
  bool Modified(SettingGroup group) const { return flags_.Raised(group); }
  ModifiedFlags& Flags() { return flags_; }
  SettingsFrame& Frame() { return frame_; }

  // The registry here notes what the load reads; the exports ask the
  // registry underneath, so that their own reads go unnoticed.
  Platform& platform() { return platformSeen_; }
  WindowServices& Services() const { return services_; }

  // Event handlers of the window's own controls.
  void RunTimerTimer(Component& sender);
  void OptionsBtnClick(Component& sender);
  void PageControlChange(Component& sender);
  void onVelmoClick(Component& sender);
  void lblURLClick(Component& sender);
  void lblEMailClick(Component& sender);
  void FormMouseMove(Component& sender, TShiftState shift, int x, int y);
  void lblURLMouseMove(Component& sender, TShiftState shift, int x, int y);
  void lblEMailMouseMove(Component& sender, TShiftState shift, int x, int y);
  void ApplyBtnClick(Component& sender);
  void CancelBtnClick(Component& sender);
  void btnRunAsAdminClick(Component& sender);
  void cbSwitchLanguageClick(Component& sender);
  void lblHintsLangClick(Component& sender);
  void udHintPauseChanging(Component& sender, bool& allowChange, int newPosition, UpDownButton button);
  // The options panel's registry files: what OK would write, and a backup.
  void btnSaveChangesClick(Component& sender);
  void btnBackupClick(Component& sender);
  void btnOpenSettingsClick(Component& sender);
  void btnSaveGroupPolicyClick(Component& sender);
  // Shows a registry file's bytes in the window (nothing is written) and
  // returns the message that says what happened, in the hints' language.
  std::string OpenSettingsFile(const std::vector<std::uint8_t>& bytes);
  // The same for contents already read (a registry file, or a policy file
  // in its form): what the window now shows of them, and what it left out.
  // `codec` carries the registry's ANSI text to and from UTF-8.
  OpenedFile ShowSettings(const RegFileContents& contents, const AnsiCodec& codec);

  bool FIsNT = false;
  bool FLoaded = false;
  int FNormalHeight = 0;
  std::string FMarqueeText;  // UTF-8
  std::string FUserName;     // UTF-8, converted from what GetUserNameA gave
  // The SID of the user whose per-user settings the window shows, when it
  // was started for another user ("Run as administrator"); else empty.
  std::string FShownUserSid;
  // That user's name (ANSI): the account of FShownUserSid, else the one
  // this process runs as.
  std::optional<std::string> ShownUserName();

 private:
  // Building the layout (one source per part of the window).
  void BuildLayout();
  void BuildInformationPage(TTabSheet& sheet);
  void BuildOptionsPanel();
  void RunPageBuilders();

  // The creation steps; FormCreate wraps them.
  void RunCreationSteps();
  void FillSystemTexts(std::uint32_t platformId);
  void ApplyNonNTGate();
  void ApplyLocaleLanguage();
  void FillVersionLabels();
  void EnterSafeStateAfterError();
  // Every control some load section fills.
  std::vector<Control*> SectionControls() const;
  // Shows the button that reopens the window with an administrator's rights
  // when the load found keys this account may only read.
  void OfferRunAsAdministrator();

  void ApplyLanguageOpening(const LanguageTexts& texts);
  void ApplyLanguageClosing(const LanguageTexts& texts);
  void SetLinkHighlight(bool urlHot, bool emailHot);
  // The message after OK naming the values it left as another program left
  // them (ANSI names), in the hints' language.
  std::string KeptElsewhereMessage(const std::vector<std::string>& names);
  void SetHintOf(std::string_view control, std::string_view text);
  void SetMenuCaption(std::string_view item, const std::string& caption);
  void SetMenuEnabled(std::string_view item, bool enabled);
  // Writes `edits` as a registry file of this system's kind, first naming
  // the system, the time and the `contents`; a failure is reported.
  void WriteRegFile(const std::string& path, const std::string& contents, std::vector<RegistryEdit> edits);

  // Keeps "Save changes as..." and "Save for Group Policy..." enabled
  // exactly while OK is.
  class SaveChangesFollowsOk final : public ComponentObserver {
   public:
    explicit SaveChangesFollowsOk(TConfForm& form) : form_(form) {}
    void PropertyChanged(Component& component, Property property) override;

   private:
    TConfForm& form_;
  };

  Platform& platform_;
  WindowServices& services_;
  ReadLogRegistry loadReads_;
  Platform platformSeen_;
  ModifiedFlags flags_;
  SettingsFrame frame_;
  bool languageApplied_ = false;
  bool loadStarted_ = false;
  SaveChangesFollowsOk saveChangesFollowsOk_{*this};
  // The sections' controls as built, before the load: where opening a file
  // starts its load from.
  ControlStates designStates_;
  // The same once the load is over: what the user's changes start from.
  ControlStates loadedStates_;
  // Values an opened settings file set: the user's, whatever the controls say.
  ValueList usersValues_;
};

}  // namespace varnox
