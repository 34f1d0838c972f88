// The lists of values a load read and a save touched: each value once, in
// the order first met, with names compared as the registry compares them.

#include "settings/value_list.h"

#include <gtest/gtest.h>

namespace varnox {
namespace {

TEST(ValueList, HoldsEachValueOnceWhateverItsCaseAndKeepsTheFirstSpelling) {
  ValueList list;
  list.Add({kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout"});
  list.Add({kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay"});
  list.Add({kHkeyLocalMachine, "system\\currentcontrolset\\CONTROL", "waittokillservicetimeout"});
  ASSERT_EQ(list.Items().size(), 2u);
  EXPECT_EQ(list.Items()[0].keyPath, "SYSTEM\\CurrentControlSet\\Control");
  EXPECT_EQ(list.Items()[1].valueName, "MenuShowDelay");
  EXPECT_TRUE(list.Has({kHkeyCurrentUser, "CONTROL PANEL\\DESKTOP", "menushowdelay"}));
}

TEST(ValueList, TellsApartValuesThatDifferOnlyInRootOrInWhereTheNameBegins) {
  ValueList list;
  list.Add({kHkeyLocalMachine, "Software\\A", "B"});
  EXPECT_FALSE(list.Has({kHkeyCurrentUser, "Software\\A", "B"}));
  // The same characters split otherwise: a key "Software\A\B" (asked for as
  // a value without a name) or a value "A\B" of "Software".
  EXPECT_FALSE(list.Has({kHkeyLocalMachine, "Software\\A\\B", ""}));
  EXPECT_FALSE(list.Has({kHkeyLocalMachine, "Software", "A\\B"}));
  EXPECT_FALSE(list.Has({kHkeyLocalMachine, "Software\\A", "B2"}));
  EXPECT_FALSE(ValueList().Has({kHkeyLocalMachine, "", ""}));
}

}  // namespace
}  // namespace varnox
