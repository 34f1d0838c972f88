#include "applet/conf_form_window.h"

#include <commdlg.h>
#include <shlobj.h>

#include "applet/applet_library.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "settings/user_hive_registry.h"
#include "toolkit/win32/form_view.h"
#include "toolkit/win32/wide_text.h"
#include "window/form/conf_form.h"

namespace varnox {

namespace {

// The step an opening window is in, as a property of the form window whose
// data points to the step's name, so that a profiler in this process can
// tell where the time of an opening goes. Each mark is a trip to the window
// server: only a process that asks for them in its environment gets them.
constexpr char kOpeningStepProperty[] = "VarnoxOpeningStep";

bool OpeningStepsWanted() { return GetEnvironmentVariableA("VARNOX_OPENING_STEPS", nullptr, 0) != 0; }

class ConfFormWindow final : public ModalWindow, public WindowServices {
 public:
  ConfFormWindow(HWND parent, const std::string& userSid);
  ~ConfFormWindow() override;

  void SetCaption(const std::string& caption) override { form_->SetCaption(caption); }
  void SetToolWindowBorder() override;
  void ShowModal() override;

 private:
  void RepaintNow() override;
  void ProcessMessages() override;
  void CursorPos(int& x, int& y) override;
  void ShowError(const std::string& message) override;
  void ShowMessage(const std::string& message) override;
  bool Confirm(const std::string& question) override;
  std::optional<std::string> AskSaveFileName(const std::string& title, const std::string& defaultName) override;
  std::optional<std::string> AskOpenFileName(const std::string& title) override;
  std::optional<std::string> AskFolder(const std::string& title) override;
  std::optional<std::string> AskFileName(const std::string& title, const std::string& defaultName, bool save);
  // An empty step ends the marks.
  void MarkStep(std::string step);

  HWND parent_;
  // Present when the window shows another user's per-user settings.
  std::unique_ptr<UserHiveRegistry> userHive_;
  Platform platform_;
  // The view refers to the form and the form to this object's services:
  // the view goes first, then the form.
  std::unique_ptr<TConfForm> form_;
  std::unique_ptr<FormView> view_;
  const bool markSteps_ = OpeningStepsWanted();
  std::string step_;
};

ConfFormWindow::ConfFormWindow(HWND parent, const std::string& userSid)
    : parent_(parent),
      userHive_(userSid.empty() ? nullptr : std::make_unique<UserHiveRegistry>(SystemRegistry(), userSid)),
      platform_{userHive_ ? static_cast<RegistryApi&>(*userHive_) : SystemRegistry(), WindowsSystem()} {
  form_ = std::make_unique<TConfForm>(platform_, *this);
  form_->FShownUserSid = userSid;
  view_ = std::make_unique<FormView>(*form_, parent, LibraryModule());
  form_->Frame().SetSectionObserver(
      [this](const std::string& section) { MarkStep(section.empty() ? "after the load" : "load: " + section); });
  MarkStep("creation steps");
  // The window exists (hidden) and the model knows its frame, as the
  // creation handler expects; it reports its own errors. The controls come
  // after it, made with what it found rather than changed to it.
  RunHandler([&] { form_->FormCreate(); }, *view_);
  MarkStep("create the controls");
  view_->MakeControls();
  MarkStep("caption, border and show");
}

ConfFormWindow::~ConfFormWindow() {
  MarkStep({});
  view_.reset();
  form_.reset();
}

void ConfFormWindow::ShowModal() {
  view_->ShowModal();
  MarkStep({});
}

void ConfFormWindow::MarkStep(std::string step) {
  if (!markSteps_ || !view_) return;
  step_ = std::move(step);
  if (step_.empty()) {
    RemovePropA(view_->Window(), kOpeningStepProperty);
  } else {
    SetPropA(view_->Window(), kOpeningStepProperty, const_cast<char*>(step_.c_str()));
  }
}

void ConfFormWindow::SetToolWindowBorder() {
  form_->SetBorderStyle(BorderStyle::ToolWindow);
  form_->SetBorderIcons(0);
}

void ConfFormWindow::RepaintNow() {
  if (view_) view_->RepaintNow();
}

void ConfFormWindow::ProcessMessages() {
  if (view_) view_->ProcessMessages();
}

void ConfFormWindow::CursorPos(int& x, int& y) {
  POINT cursor = {0, 0};
  GetCursorPos(&cursor);
  x = cursor.x;
  y = cursor.y;
}

void ConfFormWindow::ShowError(const std::string& message) {
  if (view_) {
    view_->ShowError(message);
    return;
  }
  const std::wstring text = Utf8ToWide(message);
  MessageBoxW(parent_, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

void ConfFormWindow::ShowMessage(const std::string& message) {
  if (view_) view_->ShowMessageBox(message, kAppletName, MB_OK | MB_ICONINFORMATION);
}

bool ConfFormWindow::Confirm(const std::string& question) {
  return view_ && view_->ShowMessageBox(question, kAppletName, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> ConfFormWindow::AskSaveFileName(const std::string& title, const std::string& defaultName) {
  return AskFileName(title, defaultName, true);
}

std::optional<std::string> ConfFormWindow::AskOpenFileName(const std::string& title) {
  return AskFileName(title, {}, false);
}

// The record in the size Windows NT 4.0 knows: its dialog refuses the
// larger one of Windows 2000, and the later fields are not needed.
std::optional<std::string> ConfFormWindow::AskFileName(const std::string& title, const std::string& defaultName,
                                                       bool save) {
  wchar_t file[MAX_PATH * 4] = {};
  const std::wstring name = Utf8ToWide(defaultName);
  name.copy(file, std::size(file) - 1);
  const std::wstring caption = Utf8ToWide(title);
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = view_ ? view_->Window() : parent_;
  dialog.lpstrFilter = L"Registry files (*.reg)\0*.reg\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = static_cast<DWORD>(std::size(file));
  dialog.lpstrTitle = caption.c_str();
  dialog.lpstrDefExt = L"reg";
  // The host's current folder stays as it was.
  dialog.Flags =
      OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return std::nullopt;
  return WideToUtf8(file);
}

// The dialog of Windows NT 4.0's shell, in ANSI as it has it everywhere; the
// item list it returns belongs to the shell's allocator.
std::optional<std::string> ConfFormWindow::AskFolder(const std::string& title) {
  const std::string heading = platform_.system.Utf8ToAnsi(title);
  char display[MAX_PATH] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = view_ ? view_->Window() : parent_;
  browse.pszDisplayName = display;
  browse.lpszTitle = heading.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  const bool inFileSystem = SHGetPathFromIDListA(chosen, path) != FALSE;
  IMalloc* shellAllocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellAllocator)) && shellAllocator) {
    shellAllocator->Free(chosen);
    shellAllocator->Release();
  }
  if (!inFileSystem) return std::nullopt;
  return platform_.system.AnsiToUtf8(path);
}

}  // namespace

std::unique_ptr<ModalWindow> CreateConfFormWindow(HWND parent, const std::string& userSid) {
  return std::make_unique<ConfFormWindow>(parent, userSid);
}

}  // namespace varnox
