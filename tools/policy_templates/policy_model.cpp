#include "policy_model.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>

#include "base/ascii.h"
#include "scripted_system.h"
#include "toolkit/toolkit.h"
#include "window/form/conf_form.h"
#include "window/texts/language_texts.h"

namespace varnox {

namespace {

// The releases that have Group Policy, oldest first, as the gates see them.
struct Release {
  const char* id;
  const char* name;
  ScriptedSystem (*system)();
};
constexpr std::array<Release, 9> kReleases = {{
    {"Win2000", "Windows 2000", &ScriptedSystem::Win2000Professional},
    {"WinXP", "Windows XP", &ScriptedSystem::WinXPSp3},
    {"Server2003", "Windows Server 2003", &ScriptedSystem::Win2003Server},
    {"WinVista", "Windows Vista", &ScriptedSystem::WinVista},
    {"Win7", "Windows 7", &ScriptedSystem::Win7X64},
    {"Win8", "Windows 8", &ScriptedSystem::Win8},
    {"Win81", "Windows 8.1", &ScriptedSystem::Win81X64},
    {"Win10", "Windows 10", &ScriptedSystem::Win10X64},
    {"Win11", "Windows 11", &ScriptedSystem::Win11X64},
}};

struct CategoryName {
  std::string_view english;
  std::string_view russian;
};
constexpr std::array<CategoryName, 9> kCategoryNames = {{
    {"Logon", "Вход в систему"},
    {"Memory management", "Управление памятью"},
    {"Network", "Сеть"},
    {"Internet", "Интернет"},
    {"Security", "Безопасность"},
    {"IDE/ATAPI", "IDE/ATAPI"},
    {"Explorer", "Проводник"},
    {"Other", "Другое"},
    {"System tools", "Системные средства"},
}};

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

// A hint's lines joined into one paragraph per line break, as an explanation reads.
std::string Paragraph(std::string_view hint) {
  std::string text;
  for (char c : hint) {
    if (c == '\r') continue;
    text += c;
  }
  return text;
}

// A hint's first sentence, as a name: its lines joined, up to the first full
// stop; the first line alone where the sentence runs long.
std::string FirstSentence(std::string_view hint) {
  std::string joined;
  for (char c : hint) {
    if (c == '\r') continue;
    joined += c == '\n' ? ' ' : c;
  }
  auto end = joined.find(". ");
  std::string sentence = Trimmed(joined.substr(0, end));
  constexpr std::size_t kLongest = 120;
  if (sentence.size() > kLongest) sentence = Trimmed(hint.substr(0, hint.find('\r')));
  while (!sentence.empty() && (sentence.back() == '.' || sentence.back() == ',' || sentence.back() == ';')) {
    sentence.pop_back();
  }
  return sentence;
}

// "Memory management" becomes "MemoryManagement".
std::string IdOf(std::string_view name) {
  std::string id;
  bool wordStart = true;
  for (char c : name) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter || (c >= '0' && c <= '9')) {
      id += wordStart && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      wordStart = false;
    } else {
      wordStart = true;
    }
  }
  return id;
}

bool InPoliciesKey(std::string_view key) {
  const std::string lower = AsciiLowerCase(std::string(key));
  return lower.starts_with("software\\policies\\") || lower.find("\\policies\\") != std::string::npos;
}

// Which releases honour a gate, as a definition of its own.
class SupportNames {
 public:
  std::string IdFor(bool (*honoured)(SystemApi&)) {
    std::vector<std::size_t> releases;
    for (std::size_t i = 0; i < kReleases.size(); ++i) {
      ScriptedSystem system = kReleases[i].system();
      if (honoured == nullptr || honoured(system)) releases.push_back(i);
    }
    if (releases.empty()) throw std::logic_error("a gate that no release with Group Policy passes");
    // A run that reaches the newest release reads "and later".
    std::size_t tail = releases.size();
    while (tail > 0 && releases[tail - 1] == kReleases.size() - (releases.size() - tail) - 1) --tail;
    const bool andLater = tail < releases.size() && releases.size() - tail >= 2;
    std::string id = "SUPPORTED";
    Bilingual name;
    const auto add = [&](std::size_t release, bool last) {
      id += std::string("_") + kReleases[release].id;
      const std::string separator = name.english.empty() ? "" : last ? " and " : ", ";
      const std::string russianSeparator = name.russian.empty() ? "" : last ? " и " : ", ";
      name.english += separator + kReleases[release].name;
      name.russian += russianSeparator + kReleases[release].name;
    };
    const std::size_t listed = andLater ? tail + 1 : releases.size();
    for (std::size_t i = 0; i < listed; ++i) add(releases[i], !andLater && i + 1 == listed && listed > 1);
    if (andLater) {
      id += "_AndLater";
      name.english += " and later";
      name.russian += " и более поздние";
    }
    if (!definitions_.contains(id)) {
      definitions_[id] = name;
      order_.push_back(id);
    }
    return id;
  }
  const Bilingual& Name(const std::string& id) const { return definitions_.at(id); }
  std::vector<SupportDefinition> Definitions() const {
    std::vector<SupportDefinition> all;
    for (const std::string& id : order_) all.push_back({id, definitions_.at(id)});
    return all;
  }

 private:
  std::map<std::string, Bilingual> definitions_;
  std::vector<std::string> order_;
};

std::uint32_t Unsigned(std::int64_t number) { return static_cast<std::uint32_t>(number); }

PolicyDatum Number(std::int64_t number) { return {.number = Unsigned(number)}; }
PolicyDatum Text(std::string_view text) { return {.isText = true, .text = std::string(text)}; }

class PolicyMaker {
 public:
  explicit PolicyMaker(TConfForm& form) : form_(form) {}

  Policy Make(const ManagedValue& value, const std::string& category) {
    Policy policy{.category = category,
                  .machine = value.root == kHkeyLocalMachine,
                  .key = std::string(value.key),
                  .valueName = std::string(value.value)};
    Shape(value, policy);
    policy.supportedOn = support_.IdFor(value.honoured);
    policy.honoured = value.honoured;
    policy.control = std::string(value.control);
    Name(value, policy);
    Explain(value, policy);
    return policy;
  }
  SupportNames& support() { return support_; }

 private:
  std::string Caption(std::string_view control) {
    if (control.empty()) return {};
    return Trimmed(form_.Find<Control>(control).Caption());
  }
  // The hint that explains the value: its own, its spinner's edit's, its label's.
  std::string_view HintOf(const ManagedValue& value, const LanguageTexts& texts) {
    // A choice's first button speaks for itself only.
    if (value.form == ValueForm::Choice) {
      for (std::string_view control : {value.hint, value.label}) {
        if (!control.empty() && !HintFor(texts, control).empty()) return HintFor(texts, control);
      }
      return {};
    }
    std::vector<std::string_view> candidates = {value.hint, value.control};
    if (auto* spinner = dynamic_cast<TUpDown*>(&form_.Find<Control>(value.control))) {
      if (spinner->Associate() != nullptr) candidates.push_back(spinner->Associate()->Name());
    }
    candidates.push_back(value.label);
    for (std::string_view control : candidates) {
      if (control.empty()) continue;
      if (const std::string_view hint = HintFor(texts, control); !hint.empty()) return hint;
    }
    return {};
  }

  void Range(const ManagedValue& value, Policy& policy) {
    Control& control = form_.Find<Control>(value.control);
    if (auto* spinner = dynamic_cast<TUpDown*>(&control)) {
      policy.min = Unsigned(spinner->Min());
      policy.max = Unsigned(spinner->Max());
      policy.defaultNumber = Unsigned(spinner->Position());
    } else if (auto* bar = dynamic_cast<TTrackBar*>(&control)) {
      policy.min = Unsigned(bar->Min());
      policy.max = Unsigned(bar->Max());
      policy.defaultNumber = Unsigned(bar->Position());
    } else {
      policy.min = Unsigned(value.min);
      policy.max = Unsigned(value.max);
    }
  }

  void RowShape(const SettingRow& row, Policy& policy) {
    const bool text = row.kind == RowKind::TextFlag;
    policy.windowDeletes = policy.windowDeletes || row.greyCapable || row.emptyDeletes;
    switch (row.kind) {
      case RowKind::TextFlag:
      case RowKind::NumberFlag:
        policy.on = text ? Text(row.checkedText) : Number(row.checkedNumber);
        policy.off = text ? Text(row.uncheckedText) : Number(row.uncheckedNumber);
        policy.shape = row.greyCapable ? PolicyShape::Box : PolicyShape::OnOff;
        return;
      case RowKind::SpinnerNumber:
      case RowKind::SpinnerText:
        policy.shape = PolicyShape::Number;
        policy.asText = row.kind == RowKind::SpinnerText;
        return;
      case RowKind::EditText:
        policy.shape = PolicyShape::Text;
        return;
    }
  }

  void Shape(const ManagedValue& value, Policy& policy) {
    policy.windowDeletes = value.deletes;
    switch (value.form) {
      case ValueForm::Row:
        RowShape(*value.row, policy);
        break;
      case ValueForm::Choice:
        policy.shape = PolicyShape::Choice;
        for (const ValueChoice& choice : value.choices) {
          const std::string caption = Caption(choice.button);
          const std::string_view russian = HintFor(RussianTexts(), choice.button);
          policy.items.push_back(
              {{caption,
                russian.empty() || russian.find('\r') != std::string_view::npos ? caption : FirstSentence(russian)},
               Number(choice.number),
               std::string(choice.button)});
        }
        break;
      case ValueForm::Number:
        policy.shape = PolicyShape::Number;
        policy.asText = value.asText;
        break;
      case ValueForm::Text:
        policy.shape = PolicyShape::Text;
        policy.expandable = value.expandable;
        break;
      case ValueForm::Flag:
        policy.shape = PolicyShape::OnOff;
        policy.on = Number(value.flagNumber);
        if (!value.deletes) policy.off = Number(0);
        break;
    }
    if (policy.shape == PolicyShape::Number) Range(value, policy);
  }

  void Name(const ManagedValue& value, Policy& policy) {
    std::string english = Caption(value.label.empty() ? value.control : value.label);
    if (english.empty()) english = policy.valueName;
    if (english.find(policy.valueName) == std::string::npos) english += " (" + policy.valueName + ")";
    std::string russian = FirstSentence(HintOf(value, RussianTexts()));
    if (russian.empty()) russian = english;
    if (russian.find(policy.valueName) == std::string::npos) russian += " (" + policy.valueName + ")";
    policy.displayName = {english, russian};
    policy.elementLabel = {Caption(value.label.empty() ? value.control : value.label), ""};
    if (policy.elementLabel.english.empty()) policy.elementLabel.english = policy.valueName;
    policy.elementLabel.russian = russian;
  }

  void Explain(const ManagedValue& value, Policy& policy) {
    const Bilingual& versions = support_.Name(policy.supportedOn);
    // Without a hint the name says what it is; a choice lists what it writes.
    const auto hint = [&](const LanguageTexts& texts, const std::string& name) {
      std::string text = Paragraph(HintOf(value, texts));
      if (text.empty()) text = name + ".";
      for (const PolicyItem& item : policy.items) {
        text += "\n" + (&texts == &EnglishTexts() ? item.name.english : item.name.russian) + ": " +
                (item.datum.isText ? item.datum.text : std::to_string(static_cast<std::int32_t>(item.datum.number)));
      }
      return text;
    };
    policy.explanation.english =
        hint(EnglishTexts(), policy.displayName.english) + "\n\nHonoured by " + versions.english + ".";
    policy.explanation.russian =
        hint(RussianTexts(), policy.displayName.russian) + "\n\nДействует в " + versions.russian + ".";
    if (!InPoliciesKey(policy.key)) {
      policy.explanation.english +=
          "\n\nThis value lies outside the Policies keys, so Group Policy sets it as a preference: it stays in the "
          "registry when the policy is removed or set to Not Configured.";
      policy.explanation.russian +=
          "\n\nЗначение лежит вне разделов Policies, и групповая политика задаёт его как предпочтение: оно остаётся в "
          "реестре, когда политику удаляют или переводят в состояние «Не задано».";
    }
  }

  TConfForm& form_;
  SupportNames support_;
};

}  // namespace

std::optional<std::string> LeftOut(const ManagedValue& value) {
  switch (value.shared) {
    case Shared::Yes:
      return std::nullopt;
    case Shared::OneMachine:
      return "belongs to one machine's adapters or devices";
    case Shared::NT4Only:
      return "only Windows NT 4.0 reads it, and NT 4.0 has no Group Policy";
    case Shared::Secret:
      return "a password in a Group Policy Object is readable by every user of the domain";
  }
  return std::nullopt;
}

PolicySet BuildPolicies(const std::vector<ManagedPage>& pages, TConfForm& form) {
  PolicySet set;
  PolicyMaker maker(form);
  std::set<std::string> ids;
  for (const ManagedPage& page : pages) {
    const std::string category = IdOf(page.category);
    bool any = false;
    for (const ManagedValue& value : page.values) {
      if (LeftOut(value)) continue;
      Policy policy = maker.Make(value, category);
      policy.id = category + "_" + IdOf(policy.valueName);
      // The same name in two keys: the key's last part tells them apart.
      if (ids.contains(policy.id)) policy.id += "_" + IdOf(policy.key.substr(policy.key.rfind('\\') + 1));
      if (!ids.insert(policy.id).second) throw std::logic_error("two policies named " + policy.id);
      set.policies.push_back(std::move(policy));
      any = true;
    }
    if (!any) continue;
    const auto name = std::find_if(kCategoryNames.begin(), kCategoryNames.end(),
                                   [&page](const CategoryName& known) { return known.english == page.category; });
    set.categories.push_back(
        {category,
         {std::string(page.category), std::string(name == kCategoryNames.end() ? page.category : name->russian)}});
  }
  set.support = maker.support().Definitions();
  return set;
}

}  // namespace varnox
