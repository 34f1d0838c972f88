// Writes what "Save for Group Policy..." saves, for Samba's parser to read
// back: for each version's fixture, a window whose controls the user acted
// on once each, saved into <out>/<fixture>/Machine|User/Registry.pol, and
// beside the files the records the window meant, one line each, from the
// changes themselves rather than from the files:
//   Machine|User <TAB> key <TAB> value name <TAB> type <TAB> data in hex
// where a value to delete has the name "**del.NAME" and no type or data.
// The registry's ANSI text is taken as UTF-8 (the scripted system's code
// page), and text data keeps its closing NUL.
//
//   write_policy_samples <out folder>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "load_scenario.h"
#include "memory_registry.h"
#include "recording_services.h"
#include "reg_file_loader.h"
#include "scripted_system.h"
#include "version_fixtures.h"
#include "window/files/policy_export.h"
#include "window/form/conf_form.h"

namespace {

using namespace varnox;

std::string Hex(const std::vector<std::uint8_t>& data) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::uint8_t byte : data) {
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0xF]);
  }
  return out;
}

void WriteMeant(std::ofstream& out, const char* scope, const std::vector<RegistryEdit>& edits) {
  for (const RegistryEdit& edit : edits) {
    if (edit.kind == RegistryEdit::Kind::DeleteValue) {
      out << scope << '\t' << edit.keyPath << "\t**del." << edit.name << "\t\t\n";
    } else {
      out << scope << '\t' << edit.keyPath << '\t' << edit.name << '\t' << edit.type << '\t' << Hex(edit.data) << '\n';
    }
  }
}

bool WriteSample(const VersionFixture& version, const std::filesystem::path& out) {
  MemoryRegistry registry;
  LoadRegFile(registry, FixturePath(version.fixture));
  ScriptedSystem system = version.system();
  test::RecordingServices services;
  Platform platform{registry, system};
  TConfForm form(platform, services);
  form.FormCreate();
  for (const LoadSection& section : form.Frame().Sections()) {
    for (Control* control : section.controls) fuzz::ActAsUser(*control, 1);
  }
  const std::string name = std::string(version.fixture).substr(0, std::string(version.fixture).find('.'));
  const std::filesystem::path folder = out / name;
  const PolicyChanges meant = PendingPolicyChanges(form.Frame(), form.Flags(), platform.registry);
  services.folder = "C:\\GPO";
  form.Find<TButton>("btnSaveGroupPolicy").UserClick();
  if (!services.errors.empty()) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), services.errors[0].c_str());
    return false;
  }
  for (const char* scope : {"Machine", "User"}) {
    std::filesystem::create_directories(folder / scope);
    const auto& bytes = system.writtenFiles[std::string("C:\\GPO\\") + scope + "\\Registry.pol"];
    std::ofstream((folder / scope / "Registry.pol").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::ofstream manifest((folder / "meant.txt").string(), std::ios::binary);
  WriteMeant(manifest, "Machine", meant.machine);
  WriteMeant(manifest, "User", meant.user);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_policy_samples <out folder>\n");
    return 2;
  }
  bool written = true;
  for (const VersionFixture& version : VersionFixtures()) written = WriteSample(version, argv[1]) && written;
  return written ? 0 : 1;
}
