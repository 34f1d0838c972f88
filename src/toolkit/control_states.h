#pragma once
// What a set of controls shows, taken once and put back later as program
// changes (so handlers fire as for any program change): enabled, text,
// check state, selection, items of a combo box, spinner and slider
// positions. A window taken before its load can start a second load from
// the same place: a load that leaves a control as it finds it for data it
// does not know leaves it as designed, as the first load did.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace varnox {

class ControlStates {
 public:
  ControlStates() = default;
  explicit ControlStates(const std::vector<Control*>& controls);
  void Restore() const;
  bool Empty() const { return saved_.empty(); }

 private:
  struct Saved {
    Control* control;
    bool enabled;
    std::string text;
    int number;  // check state, checked, item index or position
    std::optional<std::int64_t> outside;
    std::vector<std::string> items;
  };
  std::vector<Saved> saved_;
};

}  // namespace varnox
