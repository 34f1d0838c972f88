#pragma once
// Every value the window manages, page by page, as one table: where it lives,
// which control shows it and how OK writes it. Each page's part is made from
// the rows, keys and choices of the page's rows header (logon_rows.h, ...),
// the same its load and save use. Tools read it (the Group Policy templates)
// and link it as a library of its own; the window itself does not. The rows
// headers hold constants of internal linkage, a copy per source: as inline
// variables, MinGW's linker found them defined twice, once in the core and
// once in the table's library.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/registry_api.h"
#include "platform/system_api.h"
#include "window/pages/setting_rows.h"

namespace varnox {

// A value that a row does not describe: how OK writes it.
enum class ValueForm {
  Row,     // the row says it all
  Choice,  // the number of the checked radio button
  Number,  // a REG_DWORD number from a spinner, an edit or a counter
  Text,    // a REG_SZ (or REG_EXPAND_SZ) text from an edit
  Flag,    // a box that writes a number when checked, and 0 (or deletes) when not
};

// Why a managed value has no place in a policy that many machines share.
enum class Shared {
  Yes,
  OneMachine,  // names this machine's adapters or devices
  NT4Only,     // only Windows NT 4.0 reads it, and it has no Group Policy
  Secret,      // the autologon password: a policy is readable by every user
};

// One radio button and the number it writes.
struct ValueChoice {
  std::string_view button;
  std::int64_t number;
};

struct ManagedValue {
  RegKey root;
  std::string_view key;
  std::string_view value;
  // The control that shows the value; its caption and hint name it.
  std::string_view control;
  ValueForm form = ValueForm::Row;
  const SettingRow* row = nullptr;  // ValueForm::Row
  // The label that names the value where the control has no caption of its
  // own (a spinner, an edit).
  std::string_view label = {};
  // The control whose hint explains the value, where it is not `control`'s
  // (or its edit's).
  std::string_view hint = {};
  std::vector<ValueChoice> choices = {};  // ValueForm::Choice
  // Number and Text: whether OK may delete the value (a grey box, a button
  // that removes it, an empty edit); Number: kept as decimal text; Text:
  // written as REG_EXPAND_SZ. Flag: the number a checked box writes, and
  // `deletes` when a cleared one deletes rather than write 0.
  bool deletes = false;
  bool asText = false;
  bool expandable = false;
  std::int64_t flagNumber = 1;
  // The range of a number the control does not bound itself (an edit).
  std::int64_t min = 0;
  std::int64_t max = 0;
  // Where Windows honours it; nullptr: every Windows the page runs on.
  bool (*honoured)(SystemApi&) = nullptr;
  Shared shared = Shared::Yes;
};

// One page's values under its English category name.
struct ManagedPage {
  std::string_view category;
  std::vector<ManagedValue> values;
};

// Each page's part, in the window's page order.
ManagedPage LogonPageValues();
ManagedPage MemoryPageValues();
ManagedPage NetworkPageValues();
ManagedPage InternetPageValues();
ManagedPage SecurityPageValues();
ManagedPage IdePageValues();
ManagedPage ExplorerPageValues();
ManagedPage OtherPageValues();
ManagedPage SystemToolsPageValues();

// All pages in order.
std::vector<ManagedPage> AllManagedValues();

// A row's value as the table lists it.
ManagedValue RowValue(RegKey root, std::string_view key, const SettingRow& row, std::string_view label = {});

}  // namespace varnox
