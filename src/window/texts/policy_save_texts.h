#pragma once
// The English and Russian texts of the message that follows "Save for Group
// Policy..." (UTF-8).

#include <string_view>

namespace varnox {

struct PolicySaveTexts {
  std::string_view saved;          // the heading of the files written
  std::string_view values;         // after a file's count of records written
  std::string_view notPolicyFile;  // after a file left alone
  std::string_view leftOut;        // the heading of the values left out
  std::string_view reasons[3];     // by PolicyLeftOutReason
  std::string_view usage;          // how the files reach Group Policy
};

const PolicySaveTexts& EnglishPolicySaveTexts();
const PolicySaveTexts& RussianPolicySaveTexts();

}  // namespace varnox
