// The Internet page. Every adapter's MTU is edited in memory, in the
// adapter table, and OK writes all of them; the TTL's button acts on the
// registry at once, like the Network page's, but also marks its group.
// The labels beside the two buttons are the only record of whether a value
// exists, and the buttons read them to decide what to do.

#include "window/pages/internet_page.h"

#include <memory>
#include <string>

#include "settings/text_number.h"
#include "window/form/conf_form.h"
#include "window/form/create_delete_value.h"
#include "window/pages/internet_rows.h"
#include "window/pages/mtu_array.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace internet_rows;

constexpr std::int32_t kTtlCreateDefault = 128;
constexpr char kMtuCreateDefault[] = "576";
constexpr char kIpAddressPrefix[] = "IP address ";
// The page exists up to this major version (NT 4.0).
constexpr std::uint32_t kLastMajorVersion = 4;

void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& mtu = AddGroupBox(form, sheet, "gbMTU", " MTU (Max transmission unit) ", 4, 2, 345, 150);
  AddLabel(form, mtu, "lblTCPBindings", "TCP/IP profile:", 8, 18);
  form.Add<TComboBox>("cbTCPProfile", mtu).SetBounds(8, 34, 329, 21);
  AddLabel(form, mtu, "lblIPAddress", "IP address", 8, 62);
  AddLabel(form, mtu, "lblMTUValue", "MTU value", 8, 86);
  AddEdit(form, mtu, "edMTU", "", 66, 82, 36).SetMaxLength(4);
  AddLabel(form, mtu, "lblMTUcomment", "(MTU value should be greater than  68)", 108, 86);
  form.Add<TSpeedButton>("sbCreateMTU", mtu).SetBounds(8, 112, 22, 22);
  AddLabel(form, mtu, "lblMTU", kRegistryStatusPending, 36, 117);

  auto& ttl = AddGroupBox(form, sheet, "gbTTL", " Time to live (TTL) ", 4, 158, 345, 72);
  AddLabel(form, ttl, "lblTTLHops", "Time to live (hops)", 8, 19);
  auto& hops = AddEdit(form, ttl, "edTTL", "", 128, 15, 36);
  hops.SetMaxLength(3);
  AddUpDown(form, ttl, "udTTL", hops, 1, 255, 128).SetArrowKeys(false);
  AddLabel(form, ttl, "lblTTLDefault", "(128 by default)", 188, 19);
  form.Add<TSpeedButton>("sbCreateTTL", ttl).SetBounds(8, 41, 22, 22);
  AddLabel(form, ttl, "lblTTL", kRegistryStatusPending, 36, 46);

  ShowHints(form, {"cbTCPProfile", "edMTU", "edTTL"});
}

// The page's controls and its adapter table, shared by its handlers, its
// load section and its save groups for the window's life.
class InternetPage {
 public:
  InternetPage(TConfForm& form, TTabSheet& sheet)
      : form_(form),
        sheet_(sheet),
        profiles_(form.Find<TComboBox>("cbTCPProfile")),
        mtu_(form.Find<TEdit>("edMTU")),
        mtuStatus_(form.Find<TLabel>("lblMTU")),
        address_(form.Find<TLabel>("lblIPAddress")),
        createMtu_(form.Find<TSpeedButton>("sbCreateMTU")),
        ttl_(form.Find<TEdit>("edTTL")),
        ttlSpin_(form.Find<TUpDown>("udTTL")),
        ttlStatus_(form.Find<TLabel>("lblTTL")) {}

  void Load(TRegistry& reg);
  // cbTCPProfileChange: shows the selected adapter. Only once the page has
  // loaded: after a load error its controls stay as the error left them.
  void ProfileChange() {
    if (loaded_) ShowSelected();
  }
  // edMTUChange: what the user types lands in the selected adapter.
  void MtuChange();
  void CreateMtuClick();
  void CreateTtlClick();
  void SaveMtu(TRegistry& reg);
  void SaveTtl(TRegistry& reg);
  bool TtlShown() const { return ttl_.Enabled(); }

 private:
  MtuEntry* Selected();
  void ShowSelected();
  void LoadAdapters();
  void LoadTtl(TRegistry& reg);
  std::string Ansi(const std::string& text) const { return form_.platform().system.AnsiToUtf8(text); }

  TConfForm& form_;
  TTabSheet& sheet_;
  TComboBox& profiles_;
  TEdit& mtu_;
  TLabel& mtuStatus_;
  TLabel& address_;
  TSpeedButton& createMtu_;
  TEdit& ttl_;
  TUpDown& ttlSpin_;
  TLabel& ttlStatus_;
  TMTUArray adapters_;
  bool loaded_ = false;
  bool readOnly_ = false;
};

void InternetPage::Load(TRegistry& reg) {
  if (form_.platform().system.Version().major > kLastMajorVersion) {
    sheet_.SetEnabled(false);
    sheet_.SetTabVisible(false);
    sheet_.SetVisible(false);
    return;
  }
  LoadAdapters();
  LoadTtl(reg);
  loaded_ = true;
  // An account that may not change the TCP/IP keys sees their values, and
  // neither button nor edit takes input.
  if (reg.FullAccessRefused()) {
    readOnly_ = true;
    ttlStatus_.SetCaption(kAdministratorOnlyText);
    ShowSelected();
  }
}

void InternetPage::LoadAdapters() {
  // Through the load's own registry: a file opened into the window answers there.
  adapters_.Load(form_.Frame().Slot().Api());
  auto& bindings = form_.Find<TLabel>("lblTCPBindings");
  if (adapters_.Count() == 0) {
    bindings.SetCaption("TCP/IP profile: not found bindings for TCP/IP.");
    SetEnabled(form_,
               {"gbMTU", "cbTCPProfile", "lblMTUValue", "lblMTUcomment", "lblIPAddress", "lblMTU", "sbCreateMTU"},
               false);
    mtu_.SetText("");
    mtu_.SetEnabled(false);
    return;
  }
  bindings.SetCaption("TCP/IP profile : (" + std::to_string(adapters_.Count()) + " binding found in registry)");
  profiles_.Clear();
  for (const MtuEntry& entry : adapters_.Entries()) profiles_.AddItem(Ansi(entry.binding));
  profiles_.SetItemIndex(0);
  ShowSelected();
}

// A missing key leaves the group disabled; a missing value, the edit.
void InternetPage::LoadTtl(TRegistry& reg) {
  if (!reg.OpenKey(kTcpipParametersKey, false)) {
    form_.Find<Control>("gbTTL").SetEnabled(false);
    return;
  }
  if (reg.ValueExists(kDefaultTtl)) {
    ttlSpin_.ShowNumber(reg.ReadDword(kDefaultTtl));
    ttlStatus_.SetCaption(kDeleteValueText);
  } else {
    ttl_.SetEnabled(false);
    ttlStatus_.SetCaption(kCreateValueText);
  }
  reg.CloseKey();
}

MtuEntry* InternetPage::Selected() {
  const int item = profiles_.ItemIndex();
  if (item < 0 || item >= adapters_.Count()) return nullptr;
  return &adapters_.Entry(item + 1);
}

void InternetPage::ShowSelected() {
  MtuEntry* entry = Selected();
  if (entry == nullptr) return;
  address_.SetCaption(kIpAddressPrefix + Ansi(entry->address));
  // Disabled before the text changes, so the change stores nothing.
  mtu_.SetEnabled(false);
  createMtu_.SetEnabled(entry->keyOpened && !readOnly_);
  if (entry->keyOpened && readOnly_) {
    mtu_.SetText(entry->mtu == kMtuNotExist ? std::string() : entry->mtu);
    mtuStatus_.SetCaption(kAdministratorOnlyText);
  } else if (!entry->keyOpened) {
    mtu_.SetText("");
    mtuStatus_.SetCaption(kKeyMissingText);
  } else if (entry->mtu == kMtuNotExist) {
    mtu_.SetText("");
    mtuStatus_.SetCaption(kCreateValueText);
  } else {
    mtu_.SetEnabled(true);
    mtu_.SetText(entry->mtu);
    mtuStatus_.SetCaption(kDeleteValueText);
  }
}

void InternetPage::MtuChange() {
  if (!form_.FLoaded || !mtu_.Enabled()) return;
  MtuEntry* entry = Selected();
  if (entry == nullptr) return;
  if (mtu_.Text() != entry->mtu) form_.MarkModified(SettingGroup::MTU);
  entry->mtu = mtu_.Text();
}

// Works in memory: the registry changes only at OK.
void InternetPage::CreateMtuClick() {
  MtuEntry* entry = Selected();
  if (entry == nullptr) return;
  form_.MarkModified(SettingGroup::MTU);
  if (mtuStatus_.Caption() == kDeleteValueText) {
    entry->mtu = kMtuNotExist;
    mtu_.SetEnabled(false);
    mtuStatus_.SetCaption(kCreateValueText);
  } else {
    entry->mtu = kMtuCreateDefault;
    mtu_.SetEnabled(true);
    mtuStatus_.SetCaption(kDeleteValueText);
  }
  ShowSelected();
}

// Acts on the registry at once, with an accessor of its own.
void InternetPage::CreateTtlClick() {
  SettingsReg::Scope reg(form_.Frame().Slot(), kHkeyLocalMachine);
  if (ttlStatus_.Caption() == kDeleteValueText) {
    ttl_.SetText("");
    ttl_.SetEnabled(false);
    form_.MarkModified(SettingGroup::TTL);
    ttlStatus_.SetCaption(kCreateValueText);
    if (reg->OpenKey(kTcpipParametersKey, false) && reg->ValueExists(kDefaultTtl)) reg->DeleteValue(kDefaultTtl);
  } else {
    // A key that does not open changes nothing.
    if (!reg->OpenKey(kTcpipParametersKey, false)) return;
    reg->WriteDword(kDefaultTtl, kTtlCreateDefault);
    ttl_.SetEnabled(true);
    ttl_.SetText(std::to_string(kTtlCreateDefault));
    form_.MarkModified(SettingGroup::TTL);
    ttlStatus_.SetCaption(kDeleteValueText);
  }
  reg->CloseKey();
}

// Every adapter as it stands in the table, not only the one shown.
void InternetPage::SaveMtu(TRegistry& reg) {
  for (const MtuEntry& entry : adapters_.Entries()) {
    // Nothing was read from a key that did not open at load, so nothing
    // the user chose can be written there.
    if (!entry.keyOpened || !reg.OpenKey(AdapterKeyPath(entry.binding), false)) continue;
    if (entry.mtu == kMtuNotExist) {
      if (reg.ValueExists("MTU")) reg.DeleteValue("MTU");
    } else {
      reg.WriteDword("MTU", TextToNumber(entry.mtu, kMtuDefault));
    }
    reg.CloseKey();
  }
}

void InternetPage::SaveTtl(TRegistry& reg) {
  if (!reg.OpenKey(kTcpipParametersKey, true)) return;
  if (LeftAsStored(ttlSpin_)) {
    KeepAsStored(reg, kDefaultTtl);
  } else {
    reg.WriteDword(kDefaultTtl, ttlSpin_.Position());
  }
  reg.CloseKey();
}

}  // namespace

void BuildInternetPage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  const auto page = std::make_shared<InternetPage>(form, sheet);

  form.Find<TComboBox>("cbTCPProfile").OnChange = [page](Component&) { page->ProfileChange(); };
  form.Find<TEdit>("edMTU").OnChange = [page](Component&) { page->MtuChange(); };
  form.Find<TSpeedButton>("sbCreateMTU").OnClick = [page](Component&) { page->CreateMtuClick(); };
  form.Find<TSpeedButton>("sbCreateTTL").OnClick = [page](Component&) { page->CreateTtlClick(); };
  form.Find<TUpDown>("udTTL").OnChanging = [&form](Component&, bool&) { form.MarkModified(SettingGroup::TTL); };

  SettingsFrame& frame = form.Frame();
  frame.AddLoadSection(
      {"Internet page", kHkeyLocalMachine, [page](TRegistry& reg) { page->Load(reg); },
       NamedControls(form, {"cbTCPProfile", "edMTU", "sbCreateMTU", "edTTL", "udTTL", "sbCreateTTL"})});
  frame.AddSaveGroup({SettingGroup::MTU, kHkeyLocalMachine, [page](TRegistry& reg) { page->SaveMtu(reg); }, {}});
  frame.AddSaveGroup({SettingGroup::TTL, kHkeyLocalMachine, [page](TRegistry& reg) { page->SaveTtl(reg); },
                      [page] { return page->TtlShown(); }});
}

}  // namespace varnox
