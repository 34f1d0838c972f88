#include "window_policies.h"

#include "memory_registry.h"
#include "recording_services.h"
#include "scripted_system.h"
#include "window/form/conf_form.h"

namespace varnox {

PolicySet WindowPolicies(const std::vector<ManagedPage>& pages) {
  MemoryRegistry registry;
  ScriptedSystem system = ScriptedSystem::Win10X64();
  Platform platform{registry, system};
  test::RecordingServices services;
  TConfForm form(platform, services);
  return BuildPolicies(pages, form);
}

PolicySet WindowPolicies() { return WindowPolicies(AllManagedValues()); }

}  // namespace varnox
