#pragma once
// The system's visual style for the library's windows. The library carries a
// common-controls manifest (resource 123); a host that does not activate it
// for us (a plain LoadLibrary, or rundll32 on some systems) would give the
// controls the classic look, so the view activates it itself around window
// creation. The activation-context calls are looked up at run time: Windows
// NT 4.0 and 2000 have none, and there the controls are classic anyway.

#include <windows.h>

namespace varnox {

class VisualStyleContext {
 public:
  // Creates the context from `module`'s manifest resource 123; without one
  // the context is empty and activating it does nothing.
  explicit VisualStyleContext(HMODULE module);
  ~VisualStyleContext();
  VisualStyleContext(const VisualStyleContext&) = delete;
  VisualStyleContext& operator=(const VisualStyleContext&) = delete;

  bool Valid() const { return context_ != INVALID_HANDLE_VALUE; }

  // Active for the life of the scope.
  class Scope {
   public:
    explicit Scope(const VisualStyleContext& context);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
  };

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
};

// Registers the common control classes of whichever comctl32 the active
// context selects; cheap, so each form calls it while its context is active.
void InitCommonControlClasses();

}  // namespace varnox
