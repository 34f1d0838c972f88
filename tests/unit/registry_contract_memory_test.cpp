// The registry contract against the in-memory registry: a fresh registry
// per case, so nothing needs removing afterwards.

#include "contract/registry_contract.h"
#include "support/memory_registry.h"

namespace varnox {
namespace {

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(RegistryContractTarget{
                             "Memory", [] { return std::make_shared<MemoryRegistry>(); }, nullptr}),
                         RegistryContractName);

}  // namespace
}  // namespace varnox
