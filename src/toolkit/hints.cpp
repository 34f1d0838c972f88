#include "toolkit/hints.h"

#include <algorithm>

#include "toolkit/control.h"

namespace varnox {

void HintSettings::Set(int& field, int milliseconds) {
  milliseconds = std::max(milliseconds, 0);
  if (field == milliseconds) return;
  field = milliseconds;
  const std::vector<HintSettingsObserver*> observers = observers_;
  for (HintSettingsObserver* observer : observers) observer->HintSettingsChanged();
}

void HintSettings::SetHidePause(int milliseconds) { Set(hidePause_, milliseconds); }
void HintSettings::SetPause(int milliseconds) { Set(pause_, milliseconds); }
void HintSettings::SetShortPause(int milliseconds) { Set(shortPause_, milliseconds); }

void HintSettings::Reset() {
  SetHidePause(kDefaultHidePause);
  SetPause(kDefaultPause);
  SetShortPause(kDefaultShortPause);
}

void HintSettings::AddObserver(HintSettingsObserver& observer) {
  if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) {
    observers_.push_back(&observer);
  }
}

void HintSettings::RemoveObserver(HintSettingsObserver& observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

namespace {
// Made as the program starts, so that no first call has to be guarded.
HintSettings applicationHints;
}  // namespace

HintSettings& ApplicationHints() { return applicationHints; }

std::optional<ShownHint> ResolveHint(const Control& underMouse) {
  const Control* owner = &underMouse;
  while (owner != nullptr && !owner->HintsOn()) owner = owner->ParentControl();
  if (owner == nullptr) return std::nullopt;
  for (const Control* source = owner; source != nullptr; source = source->ParentControl()) {
    if (!source->Hint().empty()) return ShownHint{owner, source->Hint()};
  }
  return std::nullopt;
}

}  // namespace varnox
