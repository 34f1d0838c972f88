#pragma once
// The settings pages of the configuration window. Each page source provides
// a builder that puts the page's controls on its tab sheet, wires their
// handlers and registers the page's load section(s) and save groups with the
// window's frame. The window runs the builders in this order, which is the
// load order, while it is constructed (before FormCreate), so everything the
// creation step does to named controls reaches the pages' controls too.

#include <array>
#include <string_view>

#include "window/pages/internet_page.h"
#include "window/pages/logon_page.h"
#include "window/pages/memory_page.h"
#include "window/pages/network_page.h"
#include "window/pages/page_gates.h"
#include "window/pages/security_page.h"

namespace varnox {

class TConfForm;
class TTabSheet;

using PageBuilder = void (*)(TConfForm& form, TTabSheet& sheet);

struct PageEntry {
  std::string_view sheet;  // the tab sheet's name, e.g. "tsLogon"
  PageBuilder build;
};

// The builders, in load order: Logon, Memory management, Network, Internet,
// Security, IDE/ATAPI, Explorer, Other, System tools. A sheet without an
// entry stays empty.
inline constexpr std::array<PageEntry, 6> kPageBuilders = {{
    {"tsLogon", &BuildLogonPage},
    {"tsMemory", &BuildMemoryPage},
    {"tsNetWork", &BuildNetworkPage},
    {"tsInternet", &BuildInternetPage},
    {"tsSecurity", &BuildSecurityPage},
    {"tsIDE", &BuildIdePageGate},
}};

}  // namespace varnox
