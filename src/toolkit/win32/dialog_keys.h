#pragma once
// Key presses as the form knows them (TForm::UserKey): what the view hands to
// the model instead of the window the key was pressed in.

#include <windows.h>

#include <optional>

#include "toolkit/form.h"

namespace varnox {

// A key the form handles before the focused window sees it: Tab and its
// page variants, Ctrl+Page Down and Up, Enter and Escape; nullopt for a key
// the focused control keeps (Alt combinations, an open drop-down's Enter
// and Escape). Reads the modifier keys' state.
std::optional<DialogKey> FormKeyOf(const MSG& message);

// An arrow key pressed alone, which goes to the control it was pressed in.
std::optional<DialogKey> ArrowKeyOf(WPARAM key);

}  // namespace varnox
