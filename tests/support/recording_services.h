#pragma once
// Window services for a window that is never on a screen: repaints and
// message passes do nothing, the cursor stays at the origin, and error
// messages are kept for the test to read.

#include <string>
#include <vector>

#include "window/form/conf_form.h"

namespace varnox::test {

class RecordingServices : public WindowServices {
 public:
  void RepaintNow() override {}
  void ProcessMessages() override {}
  void CursorPos(int& x, int& y) override { x = y = 0; }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void ShowMessage(const std::string& message) override { messages.push_back(message); }
  bool Confirm(const std::string& question) override {
    questions.push_back(question);
    return confirms;
  }

  std::vector<std::string> errors;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool confirms = true;  // the answer to every question

  std::optional<std::string> AskSaveFileName(const std::string& title, const std::string& defaultName) override {
    askedFor.push_back({title, defaultName});
    return saveAs;
  }

  std::optional<std::string> AskOpenFileName(const std::string& title) override {
    askedFor.push_back({title, {}});
    return open;
  }

  std::optional<std::string> AskFolder(const std::string& title) override {
    askedFor.push_back({title, {}});
    return folder;
  }

  // The folder dialog's answer (nullopt: Cancel).
  std::optional<std::string> folder;
  // The Open dialog's answer (nullopt: Cancel).
  std::optional<std::string> open;
  // The Save As dialog's answer (nullopt: Cancel), and what it was asked.
  std::optional<std::string> saveAs;
  std::vector<std::pair<std::string, std::string>> askedFor;
};

}  // namespace varnox::test
