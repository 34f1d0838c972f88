// Edits, combo boxes, list views and track bars: which changes fire their
// handlers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {
namespace {

class TextTest : public ::testing::Test {
 protected:
  TForm form{"Form"};
  std::vector<std::string> seen;
};

TEST_F(TextTest, EditFiresOnChangeForProgramAndTypedChangesAlike) {
  auto& edit = form.Add<TEdit>("LoginNameEdit");
  edit.OnChange = [&](Component&) { seen.push_back(edit.Text()); };

  edit.SetText("Administrator");  // a menu item does this
  edit.SetText("Administrator");  // no change, no call
  edit.UserType("Admin");
  edit.UserType("Admin");

  EXPECT_EQ(seen, (std::vector<std::string>{"Administrator", "Admin"}));
}

TEST_F(TextTest, TypingRespectsMaxLengthReadOnlyAndEnabled) {
  auto& edit = form.Add<TEdit>("edDiskAlert");
  edit.SetText("99");
  edit.SetMaxLength(3);
  edit.OnChange = [&](Component&) { seen.push_back(edit.Text()); };

  edit.UserType("12345");
  edit.SetReadOnly(true);
  edit.UserType("7");
  edit.SetReadOnly(false);
  edit.SetEnabled(false);
  edit.UserType("8");
  edit.SetText("100000");  // the limit binds the user only

  EXPECT_EQ(seen, (std::vector<std::string>{"123", "100000"}));
}

TEST_F(TextTest, MaxLengthCountsCharactersNotBytes) {
  EXPECT_EQ(LeadingCharacters("Пароль", 3), "Пар");
  EXPECT_EQ(LeadingCharacters("ab", 5), "ab");
  EXPECT_EQ(LeadingCharacters("aé€😀z", 4), "aé€😀");
  EXPECT_EQ(LeadingCharacters("", 2), "");
}

TEST_F(TextTest, MaskChangeAloneFiresNothing) {
  auto& edit = form.Add<TEdit>("PasswordEdit");
  edit.SetPasswordChar('*');
  edit.SetText("secret");
  edit.OnChange = [&](Component&) { seen.push_back(edit.Text()); };
  edit.SetPasswordChar('\0');
  edit.UserType("secret");  // the rebuilt window reports the same text back
  EXPECT_TRUE(seen.empty());
}

TEST_F(TextTest, ComboBoxFiresOnlyOnTheUsersSelection) {
  auto& combo = form.Add<TComboBox>("cbTCPProfile");
  combo.SetItems({"El90x1", "NdisWan5"});
  combo.OnChange = [&](Component&) { seen.push_back(combo.SelectedText()); };

  combo.SetItemIndex(0);  // as the page change does: no handler
  combo.UserSelect(1);
  combo.UserSelect(1);  // the same item again
  combo.UserSelect(5);  // not an item

  EXPECT_EQ(seen, (std::vector<std::string>{"NdisWan5"}));
  EXPECT_THROW(combo.SetItemIndex(2), UsageError);

  combo.Clear();
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.SelectedText(), "");
}

TEST_F(TextTest, ListViewSelectsSilentlyByProgramAndFiresOnTheUsersClick) {
  auto& list = form.Add<TListView>("lvDrives");
  list.SetColumns({{"Drive(s)", 215}, {"Driver", 55}});
  list.AddItem({"WDC WD400", {"atapi"}, 0});
  list.AddItem({"ATAPI CD-ROM", {"atapi"}, 1});
  list.OnClick = [&](Component&) { seen.push_back(std::to_string(list.Selected())); };

  list.SetSelected(0);
  list.SetItemFocused(0);
  list.UserClickItem(1);
  list.UserClickItem(-1);  // empty space below the rows
  list.UserClickItem(2);   // no such row
  EXPECT_THROW(list.SetSelected(2), UsageError);

  EXPECT_EQ(seen, (std::vector<std::string>{"1", "-1"}));
  EXPECT_EQ(list.ItemFocused(), 1);
  list.Clear();
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_EQ(list.ItemFocused(), -1);
}

TEST_F(TextTest, TrackBarClampsAndFiresOnProgramAndUserMoves) {
  auto& bar = form.Add<TTrackBar>("tbMenuSpeed");
  bar.SetRange(0, 65534);
  std::vector<int> positions;
  bar.OnChange = [&](Component&) { positions.push_back(bar.Position()); };

  bar.SetPosition(400);
  bar.SetPosition(400);
  bar.SetPosition(70000);
  bar.UserMove(-5);
  bar.SetRange(10, 20);  // the position follows into the new range

  EXPECT_EQ(positions, (std::vector<int>{400, 65534, 0, 10}));
}

}  // namespace
}  // namespace varnox
