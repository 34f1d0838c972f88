#pragma once
// The control model of the window toolkit, in one include.
//
// The model is the truth and the window mirrors it:
//  - A TForm owns every component (Add) and finds it by its design name
//    (Find). Controls sit in a containment tree: form → page control → tab
//    sheet → group box or panel → control.
//  - Pages change controls through Set... calls. The toolkit's event rules
//    live in the kinds: a check box, radio button, radio group, edit or track
//    bar fires its handler when the program changes it; an up-down's
//    OnChanging, a combo box's OnChange and a page control's OnChange fire
//    only for the user. Each kind's header states its rules.
//  - The Win32 view turns each user action into one User... call (a click, a
//    typed text, an arrow click, a tab switch, a chosen menu item) and
//    mirrors every change it hears about through ComponentObserver.
//  - Keys are the form's (TForm::UserKey, tab_order.h): the Tab order, the
//    page keys and the arrows that step a spin box or an option group make
//    the same calls a click makes; no page handles keys.
//  - Handlers may throw; the view runs every callback through RunHandler,
//    which shows the error and lets the window go on.

#include "toolkit/buttons.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/dispatch.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/hints.h"
#include "toolkit/list_view.h"
#include "toolkit/page_control.h"
#include "toolkit/popup_menu.h"
#include "toolkit/radio_button.h"
#include "toolkit/radio_group.h"
#include "toolkit/static_controls.h"
#include "toolkit/timer.h"
#include "toolkit/track_bar.h"
#include "toolkit/up_down.h"
