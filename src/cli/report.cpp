#include "cli/report.h"

#include <nlohmann/json.hpp>

#include "base/concat.h"
#include "cli/managed_lookup.h"
#include "cli/value_text.h"
#include "settings/reg_file_writer.h"
#include "settings/stored_value.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/page_control.h"

namespace varnox::cli {

namespace {

// A caption as it reads: no accelerator marks, no surrounding blanks.
std::string Plain(std::string_view caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
    text += caption[i];
  }
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Whether this account may change values of the key, as OK would open it.
std::string Changeable(RegistryApi& registry, const ManagedValue& value) {
  RegKey key = 0;
  const long status = registry.OpenKey(value.root, std::string(value.key), kKeyAllAccess, &key);
  if (status == kErrorSuccess) {
    registry.CloseKey(key);
    return "yes";
  }
  return status == kErrorFileNotFound ? "key missing" : "no";
}

}  // namespace

std::vector<ReportRow> ReportRows(HeadlessWindow& window, const std::vector<ManagedPage>& pages) {
  TConfForm& form = window.Form();
  RegistryApi& registry = window.platform().registry;
  const AnsiCodec codec = window.Codec();
  std::vector<ReportRow> rows;
  for (const ManagedPage& page : pages) {
    for (const ManagedValue& value : page.values) {
      const Control& control = form.Find<Control>(value.control);
      const TTabSheet* sheet = SheetOf(control);
      ReportRow row;
      row.page = sheet != nullptr ? Plain(sheet->Caption()) : std::string(page.category);
      // An edit's or a list's text is its data, not a caption.
      const Control& named = form.Find<Control>(value.label.empty() ? value.control : value.label);
      const bool captioned =
          dynamic_cast<const TEdit*>(&named) == nullptr && dynamic_cast<const TComboBox*>(&named) == nullptr;
      if (captioned) row.caption = Plain(named.Caption());
      if (row.caption.empty()) row.caption = std::string(value.value);
      row.root = RootName(value.root);
      row.key = codec.toUtf8(std::string(value.key));
      row.value = codec.toUtf8(std::string(value.value));
      row.honoured = HonouredHere(window, value);
      if (value.key.empty()) {
        // Each network adapter has its own: the window shows them one by one.
        row.type = "per adapter";
        row.changeable = "per adapter";
        rows.push_back(std::move(row));
        continue;
      }
      const RegistryEdit stored = StoredState(registry, {value.root, std::string(value.key), std::string(value.value)});
      row.present = stored.kind == RegistryEdit::Kind::SetValue;
      row.type = TypeText(stored);
      row.data = value.shared == Shared::Secret ? (row.present ? "set" : "not set") : DataText(stored, codec);
      row.changeable = Changeable(registry, value);
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

std::string ReportText(const std::vector<ReportRow>& rows, const std::string& whose) {
  std::string text = Concat({"Settings of this machine and of ", whose, "\n"});
  std::string page;
  std::size_t honoured = 0;
  std::size_t changeable = 0;
  for (const ReportRow& row : rows) {
    if (row.page != page) {
      page = row.page;
      text += Concat({"\n[", page, "]\n"});
    }
    text += Concat({"  ", row.caption, "\n    ", row.root, "\\", row.key, "\\", row.value, "\n    ",
                    row.present ? Concat({row.type, " ", row.data}) : (row.data == "not set" ? "not set" : "absent"),
                    row.honoured ? "" : "; not honoured by this Windows",
                    row.changeable == "yes" ? "" : Concat({"; may change: ", row.changeable}), "\n"});
    honoured += row.honoured ? 1 : 0;
    changeable += row.changeable == "yes" ? 1 : 0;
  }
  text += Concat({"\nREPORTED ", std::to_string(rows.size()), " values: ", std::to_string(honoured),
                  " honoured by this Windows, ", std::to_string(changeable), " this account may change\n"});
  return text;
}

nlohmann::ordered_json ReportJson(const std::vector<ReportRow>& rows, const std::string& whose) {
  nlohmann::ordered_json values = nlohmann::ordered_json::array();
  for (const ReportRow& row : rows) {
    values.push_back({{"page", row.page},
                      {"caption", row.caption},
                      {"root", row.root},
                      {"key", row.key},
                      {"value", row.value},
                      {"present", row.present},
                      {"type", row.type},
                      {"data", row.data},
                      {"honoured", row.honoured},
                      {"changeable", row.changeable}});
  }
  return {{"whose", whose}, {"values", values}};
}

std::string ReportCsv(const std::vector<ReportRow>& rows, const std::string& whose) {
  // RFC 4180: a field with a comma, a quote or a line break goes in quotes.
  const auto field = [](const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
  };
  const std::string first = whose.empty() ? std::string() : field(whose) + ",";
  std::string text =
      Concat({whose.empty() ? "" : "whose,", "page,caption,root,key,value,present,type,data,honoured,changeable\r\n"});
  for (const ReportRow& row : rows) {
    text += Concat({first, field(row.page), ",",   field(row.caption), ",", row.root,
                    ",",   field(row.key),  ",",   field(row.value),   ",", row.present ? "yes" : "no",
                    ",",   field(row.type), ",",   field(row.data),    ",", row.honoured ? "yes" : "no",
                    ",",   row.changeable,  "\r\n"});
  }
  return text;
}

}  // namespace varnox::cli
