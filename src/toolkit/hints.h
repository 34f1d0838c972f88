#pragma once
// Tool-tip hints: the library-wide timing settings and the rule that picks
// which control's hint shows.

#include <optional>
#include <string>
#include <vector>

namespace varnox {

class Control;

class HintSettingsObserver {
 public:
  virtual void HintSettingsChanged() = 0;

 protected:
  ~HintSettingsObserver() = default;
};

// How long hints wait and stay, in milliseconds. One object serves the whole
// library (ApplicationHints), so a time set in one window holds for the next
// window opened while the library stays loaded. Negative times count as 0.
// Times may exceed the 16 bits a tool-tip control's delay takes (the options
// panel allows 100 s), so the view has to time long hints itself.
class HintSettings {
 public:
  static constexpr int kDefaultHidePause = 2500;  // how long a shown hint stays
  static constexpr int kDefaultPause = 500;       // delay before the first hint shows
  static constexpr int kDefaultShortPause = 50;   // delay when moving from one hint to the next

  int HidePause() const { return hidePause_; }
  void SetHidePause(int milliseconds);
  int Pause() const { return pause_; }
  void SetPause(int milliseconds);
  int ShortPause() const { return shortPause_; }
  void SetShortPause(int milliseconds);
  // Back to the three defaults.
  void Reset();

  void AddObserver(HintSettingsObserver& observer);
  void RemoveObserver(HintSettingsObserver& observer);

 private:
  void Set(int& field, int milliseconds);

  int hidePause_ = kDefaultHidePause;
  int pause_ = kDefaultPause;
  int shortPause_ = kDefaultShortPause;
  std::vector<HintSettingsObserver*> observers_;
};

HintSettings& ApplicationHints();

struct ShownHint {
  const Control* owner;  // the control the hint belongs to
  std::string text;
};

// The hint shown while the mouse rests on `underMouse`. It belongs to that
// control when its hints are on (HintsOn), else to its nearest enclosing
// control whose hints are on; the text is that control's own hint or, when
// empty, the nearest non-empty hint of the controls enclosing it. No owner
// or no text: nothing shows.
std::optional<ShownHint> ResolveHint(const Control& underMouse);

}  // namespace varnox
