#pragma once
// The administrative template files of a policy set: the .admx (the
// policies) and one .adml per language (their texts and presentations).

#include <string>

#include "policy_model.h"

namespace varnox {

enum class TemplateLanguage { English, Russian };

std::string AdmxText(const PolicySet& set);
std::string AdmlText(const PolicySet& set, TemplateLanguage language);

}  // namespace varnox
