#include "cli/value_text.h"

#include <cstdio>

#include "base/concat.h"
#include "settings/reg_file_writer.h"

namespace varnox::cli {

namespace {

bool Present(const RegistryEdit& state) { return state.kind == RegistryEdit::Kind::SetValue; }

std::string HexBytes(const std::vector<std::uint8_t>& data) {
  std::string text;
  for (std::uint8_t byte : data) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

}  // namespace

std::string TypeText(const RegistryEdit& state) {
  if (!Present(state)) return "none";
  switch (state.type) {
    case kRegSz:
      return "REG_SZ";
    case kRegExpandSz:
      return "REG_EXPAND_SZ";
    case kRegBinary:
      return "REG_BINARY";
    case kRegDword:
      return "REG_DWORD";
    case kRegMultiSz:
      return "REG_MULTI_SZ";
    case kRegNone:
      return "REG_NONE";
    default:
      return "type " + std::to_string(state.type);
  }
}

std::string DataText(const RegistryEdit& state, const AnsiCodec& codec) {
  if (!Present(state)) return "(absent)";
  const auto& data = state.data;
  if (state.type == kRegDword && data.size() == 4) {
    const std::uint32_t number = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return std::to_string(number);
  }
  if (TextType(state.type)) {
    // Strings end at their NUL; a list of them ends in two.
    std::string text;
    std::string piece;
    bool first = true;
    for (std::size_t i = 0; i <= data.size(); ++i) {
      if (i < data.size() && data[i] != 0) {
        piece += static_cast<char>(data[i]);
        continue;
      }
      if (state.type != kRegMultiSz) return codec.toUtf8(piece);
      if (piece.empty()) break;
      text += (first ? "" : " | ") + codec.toUtf8(piece);
      first = false;
      piece.clear();
    }
    return text;
  }
  return HexBytes(data);
}

std::string StateText(const RegistryEdit& state, const AnsiCodec& codec) {
  if (!Present(state)) return "absent";
  return Concat({TypeText(state), " ", DataText(state, codec)});
}

std::string FullName(RegKey root, const std::string& key, const std::string& value, const AnsiCodec& codec) {
  return codec.toUtf8(Concat({RootName(root), "\\", key, "\\", value.empty() ? "@" : value}));
}

}  // namespace varnox::cli
