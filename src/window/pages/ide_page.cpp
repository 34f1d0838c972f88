// The IDE/ATAPI page. The device list is filled once from the inventory the
// load section builds; the inventory stays with the page's handlers for the
// window's life, so a click on a row can show that device's details. The
// two DMA detection levels are settings only on NT 4.0, whose ATAPI driver
// reads them; later systems keep the groups disabled.

#include "window/pages/ide_page.h"

#include <array>
#include <memory>
#include <string>

#include "base/concat.h"
#include "devices/ide_array.h"
#include "window/form/conf_form.h"
#include "window/pages/ide_rows.h"
#include "window/pages/page_building.h"

namespace varnox {

namespace {

using namespace ide_rows;

constexpr char kAtapiServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\Atapi";
// Item i of a channel group stands for this text.
constexpr std::array<const char*, 3> kDetectionLevels = {
    "DmaDetectionLevel = 0x0;",
    "DmaDetectionLevel = 0x1;",
    "DmaDetectionLevel = 0x2;",
};

constexpr int kImageDisk = 0;
constexpr int kImageCdRom = 1;
constexpr int kImageOpticalDisk = 2;
constexpr int kImageOther = 3;

// The image list's bitmap strip in the library's resources.
constexpr char kDeviceImages[] = "ilIDE";

// The inventory lives as long as the handlers that read it.
using Inventory = std::shared_ptr<std::unique_ptr<TIDEArray>>;

int ImageOf(const std::string& type) {
  if (type == "DiskPeripheral") return kImageDisk;
  if (type == "CdRomPeripheral") return kImageCdRom;
  if (type == "OpticalDiskPeripheral") return kImageOpticalDisk;
  return kImageOther;
}

// The list is as wide as its four columns; each channel's status line sits
// under its radio group.
void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& status = AddGroupBox(form, sheet, "gbIDEStatus", " IDE/ATAPI and SCSI drivers information ", 2, 2, 349, 176);
  auto& drives = form.Add<TListView>("lvDrives", status);
  drives.SetBounds(6, 16, 337, 96);
  drives.SetColumns({{"Drive(s)", 215}, {"Driver", 55}, {"Port", 31}, {"IRQ", 31}});
  drives.SetReadOnly(true);
  drives.SetHideSelection(false);
  drives.SetColumnClick(false);
  drives.SetSmallImages(kDeviceImages);
  AddLabel(form, status, "lblDriver", "Driver information: ", 8, 116);
  AddLabel(form, status, "lblDriverName", "Detecting...", 8, 130);
  AddLabel(form, status, "lblIDEDriverInfo", "Detecting...", 8, 144);
  AddLabel(form, status, "lblDMAUsage", "Detecting...", 8, 158);

  auto& atapi = AddGroupBox(form, sheet, "gbATAPI", " DMA detection for MS Atapi driver ", 2, 182, 349, 138);
  const std::array<const char*, 2> captions = {" on Channel 0 ", " on Channel 1 "};
  for (std::size_t channel = 0; channel < kChannelGroups.size(); ++channel) {
    auto& group = form.Add<TRadioGroup>(kChannelGroups[channel], atapi);
    group.SetBounds(8 + static_cast<int>(channel) * 168, 16, 160, 78);
    group.SetCaption(captions[channel]);
    group.SetItems({"Disabled", "Enabled", "Force enable"});
  }
  AddLabel(form, atapi, "lblATAPIStatus", "MS Atapi driver status:", 8, 100).SetFontStyle(fsUnderline);
  AddLabel(form, atapi, "lblATAPIload", "Service status", 176, 100);
  AddLabel(form, atapi, "lblDMAonChannel0", "", 8, 118);
  AddLabel(form, atapi, "lblDMAonChannel1", "", 176, 118);

  ShowHints(form, {"rgATAPI_0", "rgATAPI_1"});
}

// The label's text for a channel's "DMAEnabled" text; empty when it keeps its own.
std::string ChannelDmaText(const std::string& dmaEnabled, const std::string& channel) {
  if (dmaEnabled == "-1") return "Unknown DMA on " + channel;
  if (dmaEnabled == "0") return "DMA not use on " + channel;
  if (dmaEnabled == "1" || dmaEnabled == "2" || dmaEnabled == "3") return "DMA in use on " + channel;
  return {};
}

void SetChannelLabel(TConfForm& form, const char* label, const std::string& dmaEnabled, const std::string& channel) {
  const std::string text = ChannelDmaText(dmaEnabled, channel);
  if (!text.empty()) form.Find<TLabel>(label).SetCaption(text);
}

// One row per device; the ATAPI labels from the rows its driver serves: the
// first ATAPI port is channel 0, any other ATAPI port channel 1.
void FillDeviceList(TConfForm& form, const TIDEArray& inventory) {
  auto& drives = form.Find<TListView>("lvDrives");
  drives.Clear();
  if (inventory.Count() == 0) return;
  SystemApi& system = form.platform().system;
  form.Find<TLabel>("lblATAPIload").SetCaption("MS Atapi driver not start");
  std::string firstAtapiPort;
  for (int row = 1; row <= inventory.Count(); ++row) {
    const TIDEDevice& device = inventory.Row(row);
    drives.AddItem({system.AnsiToUtf8(device.Identifier),
                    {system.AnsiToUtf8(device.Driver), device.IOAddress, device.Interrupt},
                    ImageOf(device.Type)});
    if (!IsAtapiDriver(device.Driver)) continue;
    form.Find<TLabel>("lblATAPIload").SetCaption("MS Atapi driver started");
    const std::string port = std::to_string(device.Port);
    if (firstAtapiPort.empty()) {
      firstAtapiPort = port;
      SetChannelLabel(form, "lblDMAonChannel0", device.DMAEnabled, "Channel 0");
    }
    if (port != firstAtapiPort) SetChannelLabel(form, "lblDMAonChannel1", device.DMAEnabled, "Channel 1");
  }
  drives.SetSelected(0);
  drives.SetItemFocused(0);
}

// A channel's level: the item its text names (any other text leaves the
// group as it is); without the channel's key, "Disabled" when the driver is
// installed, else the group is disabled.
void LoadChannelLevel(TConfForm& form, TRegistry& reg, std::size_t channel) {
  auto& group = form.Find<TRadioGroup>(kChannelGroups[channel]);
  if (reg.OpenKey(kChannelKeys[channel], false)) {
    const std::string text = reg.ReadText(kDriverParameter);
    for (std::size_t item = 0; item < kDetectionLevels.size(); ++item) {
      if (text == kDetectionLevels[item]) group.SetItemIndex(static_cast<int>(item));
    }
    reg.CloseKey();
  } else if (reg.OpenKey(kAtapiServiceKey, false)) {
    group.SetItemIndex(0);
    reg.CloseKey();
  } else {
    group.SetEnabled(false);
  }
}

void LoadPage(TConfForm& form, TTabSheet& sheet, TRegistry& reg, const Inventory& inventory) {
  const std::uint32_t major = form.platform().system.Version().major;
  if (major > 5) {
    sheet.SetEnabled(false);
    sheet.SetTabVisible(false);
    sheet.SetVisible(false);
    return;
  }
  *inventory = std::make_unique<TIDEArray>(form.platform());
  form.Find<TListView>("lvDrives").Clear();
  (*inventory)->Enumerate();
  FillDeviceList(form, **inventory);
  if (major <= 4) {
    for (std::size_t channel = 0; channel < kChannelGroups.size(); ++channel) LoadChannelLevel(form, reg, channel);
  } else {
    SetEnabled(form, {"rgATAPI_0", "rgATAPI_1"}, false);
  }
}

void ShowSelectedDevice(TConfForm& form, const Inventory& inventory) {
  const int index = form.Find<TListView>("lvDrives").Selected();
  if (index < 0 || !*inventory || index >= (*inventory)->Count()) return;
  const TIDEDevice& device = (*inventory)->Row(index + 1);
  SystemApi& system = form.platform().system;
  form.Find<TLabel>("lblDriverName").SetCaption("Adapter: " + system.AnsiToUtf8(device.DeviceDesc));
  form.Find<TLabel>("lblDMAUsage").SetCaption(device.TransferMode);
  form.Find<TLabel>("lblIDEDriverInfo")
      .SetCaption(Concat({"File: ", system.AnsiToUtf8(device.Driver), ".sys driver. Version ", device.DriverVersion}));
}

void SaveChannelLevels(TConfForm& form, TRegistry& reg) {
  for (std::size_t channel = 0; channel < kChannelGroups.size(); ++channel) {
    if (!reg.OpenKey(kChannelKeys[channel], true)) continue;
    const int item = form.Find<TRadioGroup>(kChannelGroups[channel]).ItemIndex();
    if (item >= 0) reg.WriteText(kDriverParameter, kDetectionLevels[static_cast<std::size_t>(item)]);
    reg.CloseKey();
  }
}

}  // namespace

void BuildIdePage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  const Inventory inventory = std::make_shared<std::unique_ptr<TIDEArray>>();

  form.Find<TListView>("lvDrives").OnClick = [&form, inventory](Component&) { ShowSelectedDevice(form, inventory); };
  for (const char* group : kChannelGroups) {
    form.Find<TRadioGroup>(group).OnClick = [&form](Component&) { form.MarkModified(SettingGroup::ATAPI); };
  }

  form.Frame().AddLoadSection({"IDE/ATAPI page", kHkeyLocalMachine,
                               [&form, &sheet, inventory](TRegistry& reg) { LoadPage(form, sheet, reg, inventory); },
                               NamedControls(form, {"rgATAPI_0", "rgATAPI_1"})});
  form.Frame().AddSaveGroup(
      {SettingGroup::ATAPI, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveChannelLevels(form, reg); }, {}});
}

}  // namespace varnox
