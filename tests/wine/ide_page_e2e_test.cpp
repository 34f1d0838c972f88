// The IDE/ATAPI page end to end: the real list view's columns, rows and
// pictures, the details of the row the user clicks, the ATAPI status lines,
// and on NT 4.0 the DMA detection levels the user picks and OK stores.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kDevice0[] = "SYSTEM\\CurrentControlSet\\Services\\Atapi\\Parameters\\Device0";
constexpr char kDevice1[] = "SYSTEM\\CurrentControlSet\\Services\\Atapi\\Parameters\\Device1";

// The run whose device map holds a value of the wrong type.
bool DamagedMap() { return std::getenv("VARNOX_DAMAGED_MAP") != nullptr; }
bool PageShown() { return Version() != "vista" && Version() != "win7"; }

// One row as the list view holds it: its columns' texts, then its picture.
using Row = std::vector<std::wstring>;

std::wstring ItemText(HWND list, int row, int column) {
  wchar_t text[260] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<Row> Rows(HWND list) {
  std::vector<Row> rows;
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    rows.push_back({ItemText(list, row, 0), ItemText(list, row, 1), ItemText(list, row, 2), ItemText(list, row, 3),
                    L"image " + std::to_wstring(item.iImage)});
  }
  return rows;
}

struct Column {
  std::wstring caption;
  int width;
};

std::vector<Column> Columns(HWND list) {
  std::vector<Column> columns;
  for (int index = 0;; ++index) {
    wchar_t text[64] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 64;
    if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column))) break;
    columns.push_back({text, column.cx});
  }
  return columns;
}

int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// A user's click on the row, as an assistive tool makes it: the button
// pressed and released over the row's caption.
void ClickRow(HWND list, int row) {
  RECT rect = {};
  rect.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(list, WM_LBUTTONUP, 0, point);
  for (int wait = 0; wait < 50 && SelectedRow(list) != row; ++wait) Sleep(20);
  Sleep(100);  // the click's notification follows the selection
}

// Selecting a row as assistive tools do: by the item's state, with no click.
void SelectRowAsAssistiveTool(HWND list, int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The radio buttons of a radio group, in item order.
std::vector<HWND> Items(HWND group) {
  std::vector<HWND> items;
  for (HWND child = GetWindow(group, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) items.push_back(child);
  return items;
}

int CheckedItem(HWND group) {
  const std::vector<HWND> items = Items(group);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (SendMessageW(items[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  }
  return -1;
}

struct Expected {
  std::vector<Row> rows;
  std::wstring firstDetails[3];  // adapter, file, transfer mode
  std::wstring secondAdapter;
  std::wstring channel0;
  std::wstring channel1;
};

Expected ForVersion() {
  const std::wstring null = L".sys driver. Version null";
  if (Version() == "nt40") {
    return {{{L"QUANTUM FIREBALL ST3.2A A0F.0B00", L"atapi", L"1F0", L"14", L"image 0"},
             {L"TOSHIBA CD-ROM XM-6102B 1115", L"atapi", L"170", L"15", L"image 1"},
             {L"SEAGATE ST39173N 6244", L"aic78xx", L"E800", L"11", L"image 0"},
             {L"HP C1537A L708", L"aic78xx", L"E800", L"11", L"image 3"}},
            {L"Adapter: atapi", L"File: atapi" + null, L"Current transfer mode: DMA not in use on this port"},
            L"Adapter: atapi",
            L"DMA not use on Channel 0",
            L"DMA not use on Channel 1"};
  }
  if (Version() == "win2k") {
    return {{{L"ST340016A 3.10", L"atapi", L"1F0", L"14", L"image 0"},
             {L"ATAPI CD-ROM DRIVE 52X MAXB", L"atapi", L"170", L"15", L"image 1"}},
            {L"Adapter: Primary IDE Channel", L"File: atapi" + null,
             L"Current transfer mode on this device: Ultra DMA 33 (2) Mode"},
            L"Adapter: Secondary IDE Channel",
            L"Unknown DMA on Channel 0",
            L"Unknown DMA on Channel 1"};
  }
  if (Version() == "winxp") {
    return {{{L"WDC WD800JB-00JJC0 05.01C05", L"atapi", L"1F0", L"14", L"image 0"},
             {L"HL-DT-ST DVD-RAM GSA-H12N UL01", L"atapi", L"170", L"15", L"image 1"}},
            {L"Adapter: Primary IDE Channel", L"File: atapi" + null,
             L"Current transfer mode on this device: Ultra DMA 100 (5) Mode"},
            L"Adapter: Secondary IDE Channel",
            L"DMA in use on Channel 0",
            L"DMA in use on Channel 1"};
  }
  return {{{L"Maxtor 6Y080L0 YAR41BW0", L"atapi", L"1F0", L"14", L"image 0"},
           {L"SAMSUNG CD-ROM SC-152C CS05", L"atapi", L"170", L"15", L"image 1"}},
          {L"Adapter: Primary IDE Channel", L"File: atapi" + null, L"Current transfer mode: DMA in use on this port"},
          L"Adapter: Secondary IDE Channel",
          L"DMA in use on Channel 0",
          L"DMA not use on Channel 1"};
}

class IdePageEndToEnd : public PageScenario {
 protected:
  void SetUp() override {
    PageScenario::SetUp();
    if (DamagedMap()) GTEST_SKIP() << "a run on a damaged device map";
  }
};

TEST_F(IdePageEndToEnd, ListsTheMachinesDevicesAndShowsTheDetailsOfTheClickedRow) {
  if (!PageShown()) GTEST_SKIP() << "the page is hidden on this version";
  const Expected expected = ForVersion();
  Run([&](UiDriver& ui) {
    // The page's windows are made when it first shows, with what the load put there.
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    HWND list = ui.Find("lvDrives");
    ASSERT_TRUE(list);
    // The design's widths, grown as the window grew with its font.
    RECT client;
    GetClientRect(ui.Form(), &client);
    const double grown = client.right / 365.0;
    const std::vector<Column> columns = Columns(list);
    const std::vector<Column> designed = {{L"Drive(s)", 215}, {L"Driver", 55}, {L"Port", 31}, {L"IRQ", 31}};
    ASSERT_EQ(columns.size(), designed.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
      EXPECT_EQ(columns[i].caption, designed[i].caption);
      EXPECT_NEAR(columns[i].width, designed[i].width * grown, 1.0) << designed[i].caption;
    }
    EXPECT_EQ(Rows(list), expected.rows);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
    EXPECT_EQ(ui.Text("lblATAPIload"), L"MS Atapi driver started");
    EXPECT_EQ(ui.Text("lblDMAonChannel0"), expected.channel0);
    EXPECT_EQ(ui.Text("lblDMAonChannel1"), expected.channel1);
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_EQ(ui.Text("lblDriverName"), expected.firstDetails[0]);
    EXPECT_EQ(ui.Text("lblIDEDriverInfo"), expected.firstDetails[1]);
    EXPECT_EQ(ui.Text("lblDMAUsage"), expected.firstDetails[2]);

    ClickRow(list, static_cast<int>(expected.rows.size()) - 1);
    EXPECT_EQ(SelectedRow(list), static_cast<int>(expected.rows.size()) - 1);
    EXPECT_EQ(ui.Text("lblDriverName"), Version() == "nt40" ? L"Adapter: aic78xx" : expected.secondAdapter);

    // Coming back to the page shows the first device again.
    ui.SelectTab("PageControl", L"Explorer");
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_EQ(ui.Text("lblDriverName"), expected.firstDetails[0]);
    EXPECT_EQ(ui.Text("lblIDEDriverInfo"), expected.firstDetails[1]);

    // An assistive tool selects a row without a click: the details follow,
    // and coming back to the page still starts from the first device.
    SelectRowAsAssistiveTool(list, static_cast<int>(expected.rows.size()) - 1);
    EXPECT_EQ(ui.Text("lblDriverName"), Version() == "nt40" ? L"Adapter: aic78xx" : expected.secondAdapter);
    ui.SelectTab("PageControl", L"Explorer");
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_EQ(ui.Text("lblDriverName"), expected.firstDetails[0]);
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));
    ui.Click("CancelBtn");
  });
}

TEST_F(IdePageEndToEnd, Nt4StoresTheDetectionLevelsPickedAndLaterSystemsKeepThemOff) {
  if (!PageShown()) GTEST_SKIP() << "the page is hidden on this version";
  if (Version() != "nt40") {
    Run([](UiDriver& ui) {
      ui.SelectTab("PageControl", L"IDE/ATAPI");
      EXPECT_FALSE(ui.Enabled("rgATAPI_0"));
      EXPECT_FALSE(ui.Enabled("rgATAPI_1"));
      EXPECT_EQ(CheckedItem(ui.Find("rgATAPI_0")), -1);
      ui.Click("CancelBtn");
    });
    return;
  }
  ASSERT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kDevice0, "DriverParameter").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    HWND channel0 = ui.Find("rgATAPI_0");
    ASSERT_EQ(Items(channel0).size(), 3u);
    // Installed driver without per-channel keys: "Disabled".
    EXPECT_EQ(CheckedItem(channel0), 0);
    EXPECT_EQ(CheckedItem(ui.Find("rgATAPI_1")), 0);
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));
    SendMessageW(Items(channel0)[2], BM_CLICK, 0, 0);
    EXPECT_EQ(CheckedItem(channel0), 2);
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kDevice0, "DriverParameter"), "DmaDetectionLevel = 0x2;");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kDevice1, "DriverParameter"), "DmaDetectionLevel = 0x0;");

  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    EXPECT_EQ(CheckedItem(ui.Find("rgATAPI_0")), 2);
    ui.Click("CancelBtn");
  });
}

TEST_F(IdePageEndToEnd, VistaAndSevenShowNoIdeTab) {
  if (PageShown()) GTEST_SKIP() << "the page is shown on this version";
  Run([](UiDriver& ui) {
    for (const std::wstring& caption : ui.TabCaptions("PageControl")) EXPECT_NE(caption, L"IDE/ATAPI");
    ui.Click("CancelBtn");
  });
}

TEST(IdePageOnDamagedMap, TheLoadStopsWithTheAccessorsMessageAndTheListStaysEmpty) {
  if (!DamagedMap()) GTEST_SKIP() << "a run on a sound device map";
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded()) << cpl.Path();
  const bool ran = RunApplet(cpl, [](UiDriver& ui) {
    EXPECT_EQ(ui.CreationMessages(), (std::vector<std::wstring>{L"Invalid data type for 'DMAEnabled'"}));
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    HWND list = ui.Find("lvDrives");
    EXPECT_TRUE(Rows(list).empty());
    EXPECT_FALSE(ui.Enabled("rgATAPI_0"));
    EXPECT_EQ(ui.Text("lblDriverName"), L"Detecting...");
    ui.Click("CancelBtn");
  });
  EXPECT_TRUE(ran) << "the window never showed";
}

}  // namespace
}  // namespace varnox::test
