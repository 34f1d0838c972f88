#include "window/elevation/user_start_parameter.h"

#include <cstdint>
#include <type_traits>

namespace varnox {

namespace {

constexpr std::string_view kUserPrefix = "/user:";
constexpr std::string_view kSidLead = "S-1-";
// Longer than any SID string: "S-1-" and at most 15 numbers of 10 digits.
constexpr std::size_t kMaxSidLength = 184;
constexpr std::size_t kMaxParameterLength = kUserPrefix.size() + kMaxSidLength;

bool IsDigit(std::uint32_t c) { return c >= '0' && c <= '9'; }

// "S-1-" then numbers separated by single hyphens, nothing else.
bool IsSidString(std::string_view text) {
  if (text.size() > kMaxSidLength || text.substr(0, kSidLead.size()) != kSidLead || text.size() == kSidLead.size())
    return false;
  bool afterHyphen = true;
  for (const char c : text.substr(kSidLead.size())) {
    if (c == '-') {
      if (afterHyphen) return false;
      afterHyphen = true;
    } else if (IsDigit(static_cast<unsigned char>(c))) {
      afterHyphen = false;
    } else {
      return false;
    }
  }
  return !afterHyphen;
}

// The i-th character of "/user:S-1-", which every such parameter starts with.
char LeadCharacter(std::size_t i) { return i < kUserPrefix.size() ? kUserPrefix[i] : kSidLead[i - kUserPrefix.size()]; }

template <typename Char>
std::optional<std::string> ReadUserOfHostStartParameter(const Char* text) {
  constexpr std::size_t leadLength = kUserPrefix.size() + kSidLead.size();
  std::string parameter;
  // One more than the longest parameter: its NUL must be seen.
  for (std::size_t i = 0; i <= kMaxParameterLength; ++i) {
    const auto c = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(text[i]));
    if (c == 0) return UserOfStartParameter(parameter);
    const bool fits = i < leadLength ? c == static_cast<unsigned char>(LeadCharacter(i)) : IsDigit(c) || c == '-';
    if (!fits) return std::nullopt;
    parameter.push_back(static_cast<char>(c));
  }
  return std::nullopt;
}

}  // namespace

std::string UserStartParameter(const std::string& sid) { return std::string(kUserPrefix) + sid; }

std::optional<std::string> UserOfStartParameter(std::string_view parameter) {
  if (parameter.substr(0, kUserPrefix.size()) != kUserPrefix) return std::nullopt;
  const std::string_view sid = parameter.substr(kUserPrefix.size());
  if (!IsSidString(sid)) return std::nullopt;
  return std::string(sid);
}

std::optional<std::string> UserOfHostStartParameter(const char* text) { return ReadUserOfHostStartParameter(text); }

std::optional<std::string> UserOfHostStartParameter(const char16_t* text) { return ReadUserOfHostStartParameter(text); }

}  // namespace varnox
