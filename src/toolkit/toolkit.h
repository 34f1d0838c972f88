#pragma once
// The whole control model in one include.

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
