#pragma once
// `varnox report`: every value the window manages, as the window sees it
// here: page and caption (the window's texts), where it lives, what is
// stored, whether this Windows honours it and whether this account may
// change it. The autologon password's data is never read out.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/headless_window.h"
#include "window/pages/managed_values.h"

namespace varnox::cli {

struct ReportRow {
  std::string page;
  std::string caption;
  std::string root;  // HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER
  std::string key;   // UTF-8; empty for a value that each network adapter has
  std::string value;
  bool present = false;
  std::string type;  // REG_DWORD...; "none" when absent
  std::string data;  // as text; "set" / "not set" for the password
  bool honoured = false;
  std::string changeable;  // "yes", "no", or "key missing"
};

std::vector<ReportRow> ReportRows(HeadlessWindow& window, const std::vector<ManagedPage>& pages);

// `whose`: whose per-user settings these are, as a sentence's object.
std::string ReportText(const std::vector<ReportRow>& rows, const std::string& whose);
nlohmann::ordered_json ReportJson(const std::vector<ReportRow>& rows, const std::string& whose);
// With `whose`, a first column names it on every row (a run over several users).
std::string ReportCsv(const std::vector<ReportRow>& rows, const std::string& whose = {});

}  // namespace varnox::cli
