#pragma once
// The two seams together, as the rest of the program receives them.

#include "platform/registry_api.h"
#include "platform/system_api.h"

namespace varnox {

struct Platform {
  RegistryApi& registry;
  SystemApi& system;
};

}  // namespace varnox
