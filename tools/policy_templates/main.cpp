// Writes the Group Policy templates of the window's settings into a folder
// laid out as a policy store, and the registry effects of batches of policy
// states (REGEDIT4) beside it for the applied-policy check:
//   policy_templates OUT_DIR [STATES_DIR]

#include <filesystem>
#include <fstream>
#include <iostream>

#include "admx_writer.h"
#include "policy_effects.h"
#include "window_policies.h"

namespace {

bool Write(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: policy_templates OUT_DIR [STATES_DIR]\n";
    return 2;
  }
  try {
    const varnox::PolicySet set = varnox::WindowPolicies();
    const std::filesystem::path out = argv[1];
    bool ok = Write(out / "varnox.admx", varnox::AdmxText(set)) &&
              Write(out / "en-US" / "varnox.adml", varnox::AdmlText(set, varnox::TemplateLanguage::English)) &&
              Write(out / "ru-RU" / "varnox.adml", varnox::AdmlText(set, varnox::TemplateLanguage::Russian));
    if (argc == 3) {
      for (const varnox::PolicyBatch& batch : varnox::PolicyBatches(set)) {
        ok = ok && Write(std::filesystem::path(argv[2]) / (batch.name + ".reg"), varnox::Regedit4Text(set, batch));
      }
    }
    if (!ok) {
      std::cerr << "policy_templates: cannot write into " << out << "\n";
      return 1;
    }
    std::cout << set.policies.size() << " policies\n";
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "policy_templates: " << error.what() << "\n";
    return 1;
  }
}
