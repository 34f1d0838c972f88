#pragma once
// The window's services where there is no window: what the window would
// show in a message box goes to standard error, a question is answered no,
// and the file dialogs answer with the paths the command line named.

#include <optional>
#include <string>
#include <vector>

#include "window/form/conf_form.h"

namespace varnox::cli {

class ConsoleServices final : public WindowServices {
 public:
  explicit ConsoleServices(std::string& errorOutput) : errors_(errorOutput) {}

  void RepaintNow() override {}
  void ProcessMessages() override {}
  void CursorPos(int& x, int& y) override { x = y = 0; }
  void ShowError(const std::string& message) override;
  void ShowMessage(const std::string& message) override;
  bool Confirm(const std::string& /*question*/) override { return false; }
  std::optional<std::string> AskSaveFileName(const std::string& /*title*/, const std::string& /*name*/) override {
    return saveAs_;
  }
  std::optional<std::string> AskOpenFileName(const std::string& /*title*/) override { return open_; }
  std::optional<std::string> AskFolder(const std::string& /*title*/) override { return folder_; }

  void AnswerSaveAs(std::optional<std::string> path) { saveAs_ = std::move(path); }
  void AnswerOpen(std::optional<std::string> path) { open_ = std::move(path); }
  void AnswerFolder(std::optional<std::string> path) { folder_ = std::move(path); }

  // The errors reported so far, each once.
  const std::vector<std::string>& Errors() const { return reported_; }

 private:
  std::string& errors_;
  std::vector<std::string> reported_;
  std::optional<std::string> saveAs_;
  std::optional<std::string> open_;
  std::optional<std::string> folder_;
};

}  // namespace varnox::cli
