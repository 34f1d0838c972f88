// libFuzzer entry: every input is one scenario of the configuration window
// on a registry of any content; a finding stops the run with its list.

#include <cstdio>
#include <cstdlib>

#include "load_scenario.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The first pass runs here, not inside the first input's time.
  const std::size_t keys = varnox::fuzz::ReadKeys().size();
  std::size_t values = 0;
  for (const varnox::fuzz::ReadKey& key : varnox::fuzz::ReadKeys()) values += key.values.size();
  std::fprintf(stderr, "load fuzzer: %zu keys, %zu values read by the window\n", keys, values);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const varnox::fuzz::Scenario scenario = varnox::fuzz::DecodeScenario({data, size});
  const std::vector<std::string> findings = varnox::fuzz::RunScenarioWithRoundTrips(scenario);
  if (findings.empty()) return 0;
  for (const std::string& finding : findings) std::fprintf(stderr, "FINDING: %s\n", finding.c_str());
  std::abort();
}
