#pragma once
// The accessor's three messages with the value name put in.

#include <string>

#include "settings/registry.h"

namespace varnox {

inline ERegistryException FailedToGetData(const std::string& name) {
  return ERegistryException("Failed to get data for '" + name + "'");
}

inline ERegistryException FailedToSetData(const std::string& name) {
  return ERegistryException("Failed to set data for '" + name + "'");
}

inline ERegistryException InvalidDataType(const std::string& name) {
  return ERegistryException("Invalid data type for '" + name + "'");
}

}  // namespace varnox
