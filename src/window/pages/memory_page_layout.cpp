// The Memory management page's controls as the layout places them, in
// their design states.

#include <string>

#include "window/form/conf_form.h"
#include "window/pages/memory_page.h"
#include "window/pages/page_building.h"

namespace varnox {

void LayOutMemoryPage(TConfForm& form, TTabSheet& sheet) {
  auto& optimization = AddGroupBox(form, sheet, "gbOptimization", " Server's memory optimization ", 4, 2, 345, 82);
  AddRadioButton(form, optimization, "rbServer1", "Minimize Memory Use (default for workstations)", 8, 15, 330);
  AddRadioButton(form, optimization, "rbServer2", "Balance", 8, 31, 330);
  AddRadioButton(form, optimization, "rbServer3", "Maximize Throughput for File Sharing (default for servers)", 8, 47,
                 330);
  AddRadioButton(form, optimization, "rbServer4", "Maximize Throughput for Network Application", 8, 63, 330);

  auto& cache = AddGroupBox(form, sheet, "gbLargeSystemCache", " System cache ", 4, 86, 345, 36);
  AddCheckBox(form, cache, "cbLargeCache", "Use large system cache (disabled by default for workstations)", 8, 14, 330)
      .SetState(cbGrayed);
  AddCheckBox(form, sheet, "cbIndepend", "'Large system cache' checkbox independ from memory optimization", 12, 124,
              335);

  auto& secondLevel = AddGroupBox(form, sheet, "gbSecondLevelDataCache",
                                  " Second level data cache (Aka level 2 cache) ", 4, 142, 345, 40);
  AddCheckBox(form, secondLevel, "rb2CacheAuto", "Auto (default)", 8, 16, 100);
  AddFieldName(form, secondLevel, "lblSecondLevelCacheSize", "Second level data cache", 116, 14);
  auto& cacheEdit = AddEdit(form, secondLevel, "edSecondLevelCache", "0", 116, 14, 50);
  AddUpDown(form, secondLevel, "udSecondLevelDataCache", cacheEdit, 0, 8096, 0).SetIncrement(128);
  AddLabel(form, secondLevel, "lblSecondLevelCacheUnit", "kb (see your CPU specification)", 186, 17);

  auto& ioLock = AddGroupBox(form, sheet, "gbIOLock", " I/O page lock limit ", 4, 184, 345, 58);
  AddRadioButton(form, ioLock, "rbIOLockDefault", "512 kb (default)", 8, 15, 112);
  AddRadioButton(form, ioLock, "rbIOLock1024kb", "1024 kb", 126, 15, 80);
  AddRadioButton(form, ioLock, "rbIOLock2048kb", "2048 kb", 212, 15, 80);
  AddRadioButton(form, ioLock, "rbIOLockOther", "", 8, 36, 16);
  AddFieldName(form, ioLock, "lblIOLockOtherSize", "I/O page lock limit", 26, 34);
  auto& otherEdit = AddEdit(form, ioLock, "edIOLockOther", "512", 26, 34, 50);
  auto& otherSpinner = AddUpDown(form, ioLock, "udIOLockOther", otherEdit, 512, 32767, 512);
  otherSpinner.SetIncrement(512);
  otherSpinner.SetArrowKeys(false);
  AddLabel(form, ioLock, "Label1", "kb", 96, 37);

  auto& paging = AddGroupBox(form, sheet, "GroupBox1", " Paging Executive ", 4, 244, 345, 38);
  AddCheckBox(form, paging, "cbDisablePagingExecutive", "Disable paging executive (disabled by default)", 8, 15, 330)
      .SetState(cbGrayed);
  auto& vdm = AddGroupBox(form, sheet, "gbSeparateWDM", " VDM ", 4, 284, 345, 38);
  AddCheckBox(form, vdm, "cbDefaultSeparateVDM", "Default separate VDM (disabled by default)", 8, 15, 330)
      .SetState(cbGrayed);

  // The four I/O lock buttons take the switch from their group box; the
  // edit, its spinner and its label have no hint of their own and show the
  // group box's.
  ShowHints(form, {"rbServer1", "rbServer2", "rbServer3", "rbServer4", "cbLargeCache", "cbIndepend", "rb2CacheAuto",
                   "gbIOLock", "Label1", "edIOLockOther", "udIOLockOther", "cbDisablePagingExecutive",
                   "cbDefaultSeparateVDM"});
}

}  // namespace varnox
