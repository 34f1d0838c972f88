#include "admx_writer.h"

#include <string_view>

namespace varnox {

namespace {

constexpr char kNamespace[] = "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions";

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string String(std::string_view id) { return "$(string." + std::string(id) + ")"; }

std::string ValueXml(const PolicyDatum& datum) {
  if (datum.isText) return "<string>" + Escaped(datum.text) + "</string>";
  return "<decimal value=\"" + std::to_string(datum.number) + "\" />";
}

std::string ItemId(const Policy& policy, std::size_t item) { return policy.id + "_Item" + std::to_string(item); }

std::string Elements(const Policy& policy) {
  const std::string head = "id=\"" + policy.id + "\" valueName=\"" + Escaped(policy.valueName) + "\"";
  switch (policy.shape) {
    case PolicyShape::OnOff:
      return {};
    case PolicyShape::Box:
      return "        <boolean " + head + ">\n          <trueValue>" + ValueXml(policy.on) +
             "</trueValue>\n          <falseValue>" + ValueXml(*policy.off) + "</falseValue>\n        </boolean>\n";
    case PolicyShape::Choice: {
      std::string xml = "        <enum " + head + " required=\"true\">\n";
      for (std::size_t i = 0; i < policy.items.size(); ++i) {
        xml += "          <item displayName=\"" + String(ItemId(policy, i)) + "\"><value>" +
               ValueXml(policy.items[i].datum) + "</value></item>\n";
      }
      return xml + "        </enum>\n";
    }
    case PolicyShape::Number:
      return "        <decimal " + head + " required=\"true\" minValue=\"" + std::to_string(policy.min) +
             "\" maxValue=\"" + std::to_string(policy.max) + "\"" + (policy.asText ? " storeAsText=\"true\"" : "") +
             " />\n";
    case PolicyShape::Text:
      return "        <text " + head + (policy.expandable ? " expandable=\"true\"" : "") + " />\n";
  }
  return {};
}

std::string PolicyXml(const Policy& policy) {
  std::string xml = "    <policy name=\"" + policy.id + "\" class=\"" + (policy.machine ? "Machine" : "User") +
                    "\" displayName=\"" + String(policy.id) + "\" explainText=\"" + String(policy.id + "_Help") + "\"";
  if (policy.shape != PolicyShape::OnOff) xml += " presentation=\"$(presentation." + policy.id + ")\"";
  xml += " key=\"" + Escaped(policy.key) + "\"";
  // The value name on the policy carries its Enabled and Disabled data.
  if (policy.shape == PolicyShape::OnOff) xml += " valueName=\"" + Escaped(policy.valueName) + "\"";
  xml += ">\n      <parentCategory ref=\"" + policy.category + "\" />\n      <supportedOn ref=\"" + policy.supportedOn +
         "\" />\n";
  if (policy.shape == PolicyShape::OnOff) {
    xml += "      <enabledValue>" + ValueXml(policy.on) + "</enabledValue>\n      <disabledValue>" +
           (policy.off ? ValueXml(*policy.off) : "<delete />") + "</disabledValue>\n";
  } else {
    // Disabled deletes the value, as the window's grey state or delete button does.
    xml += "      <disabledList>\n        <item key=\"" + Escaped(policy.key) + "\" valueName=\"" +
           Escaped(policy.valueName) + "\"><value><delete /></value></item>\n      </disabledList>\n";
    xml += "      <elements>\n" + Elements(policy) + "      </elements>\n";
  }
  return xml + "    </policy>\n";
}

std::string Presentation(const Policy& policy, TemplateLanguage language) {
  const std::string& label =
      language == TemplateLanguage::English ? policy.elementLabel.english : policy.elementLabel.russian;
  std::string xml = "      <presentation id=\"" + policy.id + "\">\n        ";
  switch (policy.shape) {
    case PolicyShape::OnOff:
      return {};
    case PolicyShape::Box:
      xml += "<checkBox refId=\"" + policy.id + "\">" + Escaped(label) + "</checkBox>";
      break;
    case PolicyShape::Choice:
      xml += "<dropdownList refId=\"" + policy.id + "\" noSort=\"true\">" + Escaped(label) + "</dropdownList>";
      break;
    case PolicyShape::Number:
      xml += "<decimalTextBox refId=\"" + policy.id + "\" defaultValue=\"" + std::to_string(policy.defaultNumber) +
             "\">" + Escaped(label) + "</decimalTextBox>";
      break;
    case PolicyShape::Text:
      xml += "<textBox refId=\"" + policy.id + "\"><label>" + Escaped(label) + "</label></textBox>";
      break;
  }
  return xml + "\n      </presentation>\n";
}

std::string StringXml(std::string_view id, std::string_view text) {
  return "      <string id=\"" + std::string(id) + "\">" + Escaped(text) + "</string>\n";
}

}  // namespace

std::string AdmxText(const PolicySet& set) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  xml += "<!-- Generated from the settings pages' tables at build time; do not edit. -->\n";
  xml += std::string("<policyDefinitions revision=\"1.0\" schemaVersion=\"1.0\" xmlns=\"") + kNamespace + "\">\n";
  xml +=
      "  <policyNamespaces>\n    <target prefix=\"varnox\" namespace=\"Varnox.Policies.Varnox\" />\n"
      "  </policyNamespaces>\n";
  xml += "  <resources minRequiredRevision=\"1.0\" />\n";
  xml += "  <supportedOn>\n    <definitions>\n";
  for (const SupportDefinition& definition : set.support) {
    xml += "      <definition name=\"" + definition.id + "\" displayName=\"" + String(definition.id) + "\" />\n";
  }
  xml += "    </definitions>\n  </supportedOn>\n";
  xml += "  <categories>\n    <category name=\"Varnox\" displayName=\"$(string.Varnox)\" />\n";
  for (const Category& category : set.categories) {
    xml += "    <category name=\"" + category.id + "\" displayName=\"" + String("Category_" + category.id) +
           "\">\n      <parentCategory ref=\"Varnox\" />\n    </category>\n";
  }
  xml += "  </categories>\n  <policies>\n";
  for (const Policy& policy : set.policies) xml += PolicyXml(policy);
  return xml + "  </policies>\n</policyDefinitions>\n";
}

std::string AdmlText(const PolicySet& set, TemplateLanguage language) {
  const bool english = language == TemplateLanguage::English;
  const auto pick = [english](const Bilingual& text) -> const std::string& {
    return english ? text.english : text.russian;
  };
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  xml += "<!-- Generated from the settings pages' tables at build time; do not edit. -->\n";
  xml +=
      std::string("<policyDefinitionResources revision=\"1.0\" schemaVersion=\"1.0\" xmlns=\"") + kNamespace + "\">\n";
  xml += english ? "  <displayName>Varnox settings</displayName>\n"
                   "  <description>The settings of the Varnox Control Panel applet.</description>\n"
                 : "  <displayName>Параметры Varnox</displayName>\n"
                   "  <description>Параметры апплета панели управления Varnox.</description>\n";
  xml += "  <resources>\n    <stringTable>\n";
  xml += StringXml("Varnox", "Varnox");
  for (const SupportDefinition& definition : set.support) xml += StringXml(definition.id, pick(definition.name));
  for (const Category& category : set.categories) xml += StringXml("Category_" + category.id, pick(category.name));
  for (const Policy& policy : set.policies) {
    xml += StringXml(policy.id, pick(policy.displayName));
    xml += StringXml(policy.id + "_Help", pick(policy.explanation));
    for (std::size_t i = 0; i < policy.items.size(); ++i)
      xml += StringXml(ItemId(policy, i), pick(policy.items[i].name));
  }
  xml += "    </stringTable>\n    <presentationTable>\n";
  for (const Policy& policy : set.policies) xml += Presentation(policy, language);
  return xml + "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
}

}  // namespace varnox
