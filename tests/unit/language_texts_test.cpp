// The hint and caption tables of the configuration window, checked against
// the texts users see: every control hinted once per language, in the order
// the window assigns them, each hint with the number of lines it was written
// for, and the fixed English texts byte for byte.

#include "window/texts/language_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "window/texts/contact.h"

namespace varnox {
namespace {

// One row per text: the controls that show it (in assignment order) and the
// number of lines of the English and of the Russian hint.
struct ExpectedRow {
  std::vector<std::string_view> controls;
  int englishLines;
  int russianLines;
};

const std::vector<ExpectedRow>& ExpectedRows() {
  static const std::vector<ExpectedRow> rows = {
      {{"lblNoRegistry0", "lblNoRegistry1", "lblNoRegistry2", "lblNoRegistry3"}, 3, 5},
      {{"LoginNameEdit"}, 3, 4},
      {{"DomainEdit"}, 2, 2},
      {{"PasswordEdit"}, 2, 3},
      {{"cbEnableAutoLogon"}, 4, 6},
      {{"cbDontDisplayLastUserName"}, 5, 5},
      {{"cbAutoLogonCount"}, 3, 3},
      {{"cbForceAutoLogon"}, 2, 3},
      {{"cbDisableCAD"}, 2, 1},
      {{"cbClearPageFileAtShutdown"}, 5, 5},
      {{"cbPowerDownAfterShutDown"}, 3, 3},
      {{"cbDisableQuickReboot"}, 4, 4},
      {{"edHungApplication"}, 4, 3},
      {{"edWaitToKillApp"}, 4, 3},
      {{"cbAutoEndTask"}, 3, 3},
      {{"rbServer1"}, 1, 2},
      {{"rbServer2"}, 1, 2},
      {{"rbServer3"}, 1, 3},
      {{"rbServer4"}, 1, 3},
      {{"cbLargeCache"}, 1, 3},
      {{"cbIndepend"}, 1, 6},
      {{"rb2CacheAuto"}, 3, 2},
      {{"gbIOLock"}, 6, 1},
      {{"rbIOLockDefault"}, 1, 1},
      {{"rbIOLock1024kb"}, 1, 1},
      {{"rbIOLock2048kb"}, 1, 1},
      {{"rbIOLockOther"}, 1, 1},
      {{"cbDisablePagingExecutive"}, 4, 5},
      {{"cbDefaultSeparateVDM"}, 2, 2},
      {{"cbAutoShareServer"}, 5, 3},
      {{"cbAutoShareWks"}, 5, 3},
      {{"edDiskAlert"}, 2, 1},
      {{"edCacheFileTimeOut"}, 2, 3},
      {{"cbHideServer"}, 3, 4},
      {{"edServerComment"}, 1, 1},
      {{"cbTCPProfile"}, 1, 1},
      {{"edMTU"}, 4, 4},
      {{"edTTL"}, 3, 3},
      {{"lblSyskey", "lblSyskey1", "lblSyskey2", "lblSyskey3", "lblRunSyskey"}, 4, 5},
      {{"cbProtectionMode"}, 3, 5},
      {{"cbAddProtectionMode"}, 2, 4},
      {{"rbSFC1"}, 2, 3},
      {{"rbSFC2"}, 2, 2},
      {{"rbSFC3"}, 2, 3},
      {{"rbSFC4"}, 2, 2},
      {{"rbSFC5"}, 2, 3},
      {{"rbSFC6"}, 2, 3},
      {{"cbDllCachePath", "edDllCachePath"}, 1, 1},
      {{"cbSFCQuota", "edSFCQuota"}, 1, 2},
      {{"rgATAPI_0", "rgATAPI_1"}, 4, 5},
      {{"cbAutoPlayCD"}, 2, 1},
      {{"DefaultFontEdit"}, 1, 2},
      {{"ArialFontEdit"}, 1, 2},
      {{"cbNoDesktop"}, 2, 2},
      {{"cbNoFind"}, 1, 1},
      {{"cbNoRun"}, 1, 1},
      {{"cbNoNetHood"}, 2, 2},
      {{"cbMinAnimate"}, 2, 2},
      {{"cbBeepOnError"}, 1, 1},
      {{"cbSmoothScroll"}, 1, 2},
      {{"cbExplorerSeparately"}, 4, 7},
      {{"cbShowVersionOnDesktop"}, 2, 2},
      {{"edWheelDetect"}, 1, 2},
      {{"edWheelScrollLines"}, 1, 1},
      {{"edPS2rate"}, 1, 2},
      {{"tbMenuSpeed"}, 2, 2},
      {{"cbNTFSDisableLAU"}, 2, 2},
      {{"edRegOwner"}, 1, 1},
      {{"edRegOrg"}, 1, 1},
      {{"edSourcePath", "edSourcePath2"}, 2, 3},
      {{"edSourcePath3"}, 1, 2},
      {{"edSourcePath4"}, 1, 1},
      {{"btnSaveChanges"}, 3, 3},
      {{"btnBackup"}, 2, 2},
      {{"btnOpenSettings"}, 3, 3},
      {{"btnSaveGroupPolicy"}, 3, 3},
      {{"btnRunAsAdmin"}, 3, 3},
  };
  return rows;
}

std::vector<std::string_view> ExpectedEnglishOrder() {
  std::vector<std::string_view> order;
  for (const auto& row : ExpectedRows()) order.insert(order.end(), row.controls.begin(), row.controls.end());
  return order;
}

std::vector<std::string_view> ControlsOf(const LanguageTexts& texts) {
  std::vector<std::string_view> controls;
  for (const auto& hint : texts.hints) controls.push_back(hint.control);
  return controls;
}

int LineCount(std::string_view text) {
  int lines = 1;
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++lines;
  return lines;
}

// Decodes UTF-8 strictly (no overlong forms, no surrogates); false on any fault.
bool DecodeUtf8(std::string_view text, std::vector<char32_t>& out) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07;
    } else {
      return false;
    }
    if (extra > 0 && i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    out.push_back(code);
    i += extra + 1;
  }
  return true;
}

bool IsCyrillicLetter(char32_t c) { return c >= 0x0400 && c <= 0x04FF; }
bool IsLatinLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Raised by one for each control that gains a hint.
constexpr std::size_t kHintedControls = 88;

TEST(LanguageTexts, EveryControlIsHintedOnceInEachLanguage) {
  const auto expected = ExpectedEnglishOrder();
  ASSERT_EQ(expected.size(), kHintedControls);
  const std::set<std::string_view> expectedSet(expected.begin(), expected.end());
  ASSERT_EQ(expectedSet.size(), kHintedControls);

  for (const auto* texts : {&EnglishTexts(), &RussianTexts()}) {
    const auto controls = ControlsOf(*texts);
    EXPECT_EQ(controls.size(), kHintedControls);
    EXPECT_EQ(std::set<std::string_view>(controls.begin(), controls.end()), expectedSet);
  }
}

TEST(LanguageTexts, HintsAreAssignedInTheWindowsOrder) {
  const auto english = ExpectedEnglishOrder();
  EXPECT_EQ(ControlsOf(EnglishTexts()), english);

  // The Russian table names the cache timeout before the disk-space alert.
  auto russian = english;
  const auto alert = std::ranges::find(russian, "edDiskAlert");
  ASSERT_NE(alert, russian.end());
  ASSERT_EQ(*(alert + 1), "edCacheFileTimeOut");
  std::iter_swap(alert, alert + 1);
  EXPECT_EQ(ControlsOf(RussianTexts()), russian);

  // The legend labels come first: the window sets them before the captions.
  for (const auto* texts : {&EnglishTexts(), &RussianTexts()}) {
    ASSERT_EQ(texts->legendHintCount, 4u);
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(texts->hints[i].control, "lblNoRegistry" + std::to_string(i));
    }
  }
}

TEST(LanguageTexts, EachHintHasItsLineCountAndSharedTextsAreCopies) {
  for (const auto& row : ExpectedRows()) {
    for (const auto* texts : {&EnglishTexts(), &RussianTexts()}) {
      const bool english = texts == &EnglishTexts();
      const int wanted = english ? row.englishLines : row.russianLines;
      const auto first = HintFor(*texts, row.controls.front());
      EXPECT_EQ(LineCount(first), wanted) << row.controls.front() << (english ? " (English)" : " (Russian)");
      for (const auto control : row.controls) {
        EXPECT_EQ(HintFor(*texts, control), first) << control << (english ? " (English)" : " (Russian)");
      }
    }
  }
}

TEST(LanguageTexts, HintsAreWellFormed) {
  for (const auto* texts : {&EnglishTexts(), &RussianTexts()}) {
    for (const auto& hint : texts->hints) {
      SCOPED_TRACE(std::string(hint.control));
      EXPECT_FALSE(hint.text.empty());
      // Line breaks are always CR LF: a lone LF or CR shows as a box in the tool-tip.
      for (std::size_t i = 0; i < hint.text.size(); ++i) {
        if (hint.text[i] == '\n') {
          EXPECT_TRUE(i > 0 && hint.text[i - 1] == '\r');
        }
        if (hint.text[i] == '\r') {
          EXPECT_TRUE(i + 1 < hint.text.size() && hint.text[i + 1] == '\n');
        }
      }
      // No empty line, so no break at either end either.
      EXPECT_EQ(hint.text.find("\r\n\r\n"), std::string_view::npos);
      EXPECT_FALSE(hint.text.starts_with("\r\n"));
      EXPECT_FALSE(hint.text.ends_with("\r\n"));
    }
  }
}

TEST(LanguageTexts, EnglishIsPlainAsciiAndRussianIsMostlyCyrillicUtf8) {
  for (const auto& hint : EnglishTexts().hints) {
    EXPECT_TRUE(std::ranges::all_of(hint.text, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        << hint.control;
  }
  std::size_t cyrillicTotal = 0, latinTotal = 0;
  for (const auto& hint : RussianTexts().hints) {
    std::vector<char32_t> codes;
    ASSERT_TRUE(DecodeUtf8(hint.text, codes)) << hint.control;
    const auto cyrillic = std::ranges::count_if(codes, IsCyrillicLetter);
    const auto latin = std::ranges::count_if(codes, IsLatinLetter);
    // Value names and the ATAPI item captions are Latin; the prose must not be.
    EXPECT_GT(cyrillic, latin) << hint.control;
    cyrillicTotal += cyrillic;
    latinTotal += latin;
  }
  EXPECT_GT(cyrillicTotal, 4 * latinTotal);
}

TEST(LanguageTexts, FixedEnglishHintsAreExact) {
  const std::vector<std::pair<std::string_view, std::string_view>> fixed = {
      {"rbServer1", "Minimize memory used"},
      {"rbServer2", "Cache and working sets have equal priority"},
      {"rbServer3", "The cache has a higher priority"},
      {"rbServer4", "The working sets have higher priority"},
      {"cbLargeCache", "Use large memory cache model (as servers)."},
      {"cbIndepend", "Only russian description"},
      {"rbIOLockDefault", "The system locked the 512K for I/O operations."},
      {"rbIOLock1024kb", "The system locked the 1024K for I/O operations."},
      {"rbIOLock2048kb", "The system locked the 2048K for I/O operations."},
      {"rbIOLockOther", "The system locked the user defined Kb for I/O operations."},
      {"edServerComment", "Edit server comments"},
      {"cbTCPProfile", "List of your netadapters."},
      {"edDllCachePath", "Specify path for SFC Dll cache."},
      {"cbSFCQuota", "Specify quota size (in mb) for SFC Dll cache."},
      {"DefaultFontEdit", "Not need in English"},
      {"ArialFontEdit", "Not need in English"},
      {"cbNoFind", "Enable or disable Find commands appearing in the Start menu."},
      {"cbNoRun", "Enable or disable Run commands appearing in the Start menu."},
      {"cbBeepOnError", "Enable the playing of beep sound then an error occurs "},
      {"cbSmoothScroll", "Enable animated window scrolling in Explorer"},
      {"edWheelDetect", "If problems with detection wheel after ServicePack3 try set value 2"},
      {"edWheelScrollLines", "Determines the number of lines scrolled for each one-notch rotation of the mouse wheel"},
      {"edPS2rate", "Determines refresh rate of PS/2 mouse. This make your mouse cursor move smoothly."},
      {"edRegOwner", "Defines the registered owner, as specified during Setup"},
      {"edRegOrg", "Defines the registered organization, as specified during Setup."},
      {"edSourcePath3", "Defines the source of the Service Pack files."},
      {"edSourcePath4", "Defines the source of the Driver Cache files."},
      {"lblNoRegistry3",
       "Some elements not in registry usually.\r\n"
       "If this box grayed, value not found in registry at startup,\r\n"
       "or will delete from registry when apply."},
      {"cbAutoLogonCount",
       "You may control count autologons in Windows 2000.\r\n"
       "Next autologon decrease this value by one.\r\n"
       "This value equal 0, autologon will be disabled."},
      {"rb2CacheAuto",
       "The system attempts to retrieve the L2 cache size from the\r\n"
       "Hardware Abstraction Layer (HAL) for the platform.\r\n"
       "If it fails, it uses a default L2 cache size of 256K."},
      {"edMTU",
       "MTU stands for Maximum Transmission Unit and in basic terms,\r\n"
       "it defines the maximum size of a packet that can be transferred\r\n"
       "in one frame over a network.\r\n"
       "For modem connections a MTU of 576 would be a good size."},
      {"rgATAPI_1",
       "Parameters for DMA mode on MS Atapi driver:\r\n"
       "Disabled - driver will not detect DMA mode.\r\n"
       "Enabled - driver will detect DMA mode automatically.\r\n"
       "Force enabled - force enable DMA mode. (Dangerous!)"},
  };
  for (const auto& [control, text] : fixed) EXPECT_EQ(HintFor(EnglishTexts(), control), text) << control;
}

TEST(LanguageTexts, RussianExplainsWhatEnglishLeavesOut) {
  const auto& russian = RussianTexts();
  for (const auto control : {"cbIndepend", "DefaultFontEdit", "ArialFontEdit"}) {
    EXPECT_NE(HintFor(russian, control), HintFor(EnglishTexts(), control)) << control;
  }
  EXPECT_NE(HintFor(russian, "cbIndepend").find("LargeSystemCache"), std::string_view::npos);
  EXPECT_NE(HintFor(russian, "DefaultFontEdit").find("204"), std::string_view::npos);
  EXPECT_NE(HintFor(russian, "ArialFontEdit").find("204"), std::string_view::npos);
  EXPECT_NE(HintFor(russian, "edMTU").find("1500"), std::string_view::npos);
  EXPECT_NE(HintFor(russian, "edMTU").find("576"), std::string_view::npos);
}

TEST(LanguageTexts, MenuAndPanelCaptions) {
  const auto& english = EnglishTexts();
  EXPECT_FALSE(english.switchLanguageTicked);
  EXPECT_EQ(english.typeAdminEnglishCaption, "Type \"Administrator\" here");
  EXPECT_EQ(english.typeAdminRussianCaption, "Not need in English");
  EXPECT_FALSE(english.typeAdminRussianEnabled);
  EXPECT_EQ(english.showPasswordCaption, "Show password");
  EXPECT_EQ(english.hidePasswordCaption, "Hide password");
  EXPECT_EQ(english.hintsLanguageCaption, "Hints in russian language");
  EXPECT_EQ(english.visibleCaption, "Hints visible");
  EXPECT_EQ(english.visibleSecondsCaption, "seconds on display");

  const auto& russian = RussianTexts();
  EXPECT_TRUE(russian.switchLanguageTicked);
  EXPECT_EQ(russian.typeAdminEnglishCaption, "Прописать здесь \"Administrator\"");
  EXPECT_EQ(russian.typeAdminRussianCaption, "Прописать здесь \"Администратор\"");
  EXPECT_TRUE(russian.typeAdminRussianEnabled);
  EXPECT_EQ(russian.showPasswordCaption, "Показывать пароль");
  EXPECT_EQ(russian.hidePasswordCaption, "Не показывать пароль");
  EXPECT_EQ(russian.hintsLanguageCaption, "Подсказки на русском языке");
  EXPECT_EQ(russian.visibleCaption, "Отображать");
  EXPECT_EQ(russian.visibleSecondsCaption, "секунд на экране");
}

TEST(LanguageTexts, CurrentUserCaptionQuotesTheNameUpToItsNul) {
  EXPECT_EQ(CurrentUserMenuCaption(EnglishTexts(), "jsmith"), "Type current user name here (\"jsmith\")");
  EXPECT_EQ(CurrentUserMenuCaption(EnglishTexts(), ""), "Type current user name here (\"\")");
  EXPECT_EQ(CurrentUserMenuCaption(RussianTexts(), "Иван"), "Прописать здесь текущего пользователя (\"Иван\")");
  EXPECT_EQ(CurrentUserMenuCaption(RussianTexts(), ""), "Прописать здесь текущего пользователя (\"\")");

  // A fixed buffer: what follows the NUL is left over from earlier and never shown.
  using namespace std::string_view_literals;
  EXPECT_EQ(CurrentUserMenuCaption(EnglishTexts(), "ann\0stale bytes"sv), "Type current user name here (\"ann\")");
  EXPECT_EQ(CurrentUserMenuCaption(EnglishTexts(), "\0ann"sv), "Type current user name here (\"\")");
}

TEST(LanguageTexts, MarqueeTexts) {
  EXPECT_EQ(EnglishTexts().marquee, std::string("If you have a problems, mail me to ") + kMaintainerEmail +
                                        ".This program change only legal registry entrys.For delete this program  "
                                        "just remove it from your %System32% folder.");

  const auto russian = RussianTexts().marquee;
  constexpr std::string_view kFirst = "Varnox изменяет только известные системе параметры. ";
  EXPECT_TRUE(russian.starts_with(kFirst));
  EXPECT_TRUE(russian.ends_with(". "));  // the blank keeps the wrap-around apart
  std::vector<char32_t> codes;
  EXPECT_TRUE(DecodeUtf8(russian, codes));
  EXPECT_EQ(std::ranges::count(codes, U'.'), 3);  // one paragraph of three sentences
}

TEST(LanguageTexts, HintForAControlWithoutTableHintIsEmpty) {
  // The buttons keep their layout hints; the table has nothing for them.
  EXPECT_TRUE(HintFor(EnglishTexts(), "ApplyBtn").empty());
  EXPECT_TRUE(HintFor(RussianTexts(), "udIOLockOther").empty());
}

}  // namespace
}  // namespace varnox
