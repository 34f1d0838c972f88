#pragma once
// The window's own policy set: a window built on the in-memory registry
// gives the captions and ranges of the pages' table.

#include <vector>

#include "policy_model.h"

namespace varnox {

PolicySet WindowPolicies(const std::vector<ManagedPage>& pages);
PolicySet WindowPolicies();

}  // namespace varnox
