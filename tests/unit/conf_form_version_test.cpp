// Version resource strings and the marquee's rotation: the small rules
// behind the Information page.

#include <gtest/gtest.h>

#include "scripted_system.h"
#include "sysinfo/version_value.h"
#include "window/form/marquee.h"

namespace varnox {
namespace {

constexpr char kFile[] = "C:\\Drivers\\atapi.sys";

TEST(VersionValueTest, StringUnderTheFirstTranslation) {
  ScriptedSystem system;
  ScriptedVersionResource resource;
  resource.translation = 0x04B00409;
  resource.strings["\\StringFileInfo\\040904B0\\FileVersion"] = "5.1.2600.0";
  resource.strings["\\StringFileInfo\\041904E3\\FileVersion"] = "wrong table";
  system.versionResources[kFile] = resource;

  EXPECT_EQ(GetVersionValue(system, kFile, "FileVersion"), "5.1.2600.0");
  EXPECT_EQ(GetVersionValue(system, kFile, "ProductVersion"), "");
  EXPECT_EQ(GetVersionValue(system, "C:\\Drivers\\missing.sys", "FileVersion"), "");

  // Several strings come from one reading of the file, each in its place.
  system.versionInfoReads = 0;
  EXPECT_EQ(GetVersionValues(system, kFile, {"ProductVersion", "FileVersion"}),
            (std::vector<std::string>{"", "5.1.2600.0"}));
  EXPECT_EQ(system.versionInfoReads, 1);
}

TEST(VersionValueTest, NoTranslationTableFindsNothing) {
  ScriptedSystem system;
  ScriptedVersionResource resource;
  resource.strings["\\StringFileInfo\\040904B0\\FileVersion"] = "1.0";
  system.versionResources[kFile] = resource;
  EXPECT_EQ(GetVersionValue(system, kFile, "FileVersion"), "");
}

TEST(VersionValueTest, ValueArrivesAsAnsiAndLeavesAsUtf8) {
  ScriptedSystem system;
  system.ansiToUtf8 = [](const std::string& ansi) { return ansi == "\xA9 1999" ? "\xC2\xA9 1999" : "?"; };
  ScriptedVersionResource resource;
  resource.translation = 0x04E30419;
  resource.strings["\\StringFileInfo\\041904E3\\LegalCopyright"] = "\xA9 1999";
  system.versionResources[kFile] = resource;
  EXPECT_EQ(GetVersionValue(system, kFile, "LegalCopyright"), "\xC2\xA9 1999");
}

TEST(VersionValueTest, TranslationKeyIsLanguageThenCodePageInUpperCaseHex) {
  EXPECT_EQ(TranslationKey(0x04E30419), "041904E3");
  EXPECT_EQ(TranslationKey(0x04B00409), "040904B0");
  EXPECT_EQ(TranslationKey(0x0000000A), "000A0000");
  EXPECT_EQ(TranslationKey(0xFFFFABCD), "ABCDFFFF");
}

TEST(MarqueeTest, RotatesWholeCharacters) {
  std::string text =
      "\xD0\x92"
      "ab\xE2\x82\xAC";  // "Вab€"
  EXPECT_EQ(RotateMarquee(text), "ab\xE2\x82\xAC\xD0\x92");
  EXPECT_EQ(text, "ab\xE2\x82\xAC\xD0\x92");
  RotateMarquee(text);
  RotateMarquee(text);
  EXPECT_EQ(text,
            "\xE2\x82\xAC\xD0\x92"
            "ab");
  RotateMarquee(text);
  EXPECT_EQ(text,
            "\xD0\x92"
            "ab\xE2\x82\xAC");
}

TEST(MarqueeTest, ShowsAtMostFiftyCharactersAndSurvivesEmptyText) {
  std::string longText;
  for (int i = 0; i < 60; ++i) longText += "\xD0\xAF";  // sixty "Я"
  longText += "x";
  const std::string shown = RotateMarquee(longText);
  EXPECT_EQ(shown.size(), 100u);  // fifty two-byte characters
  std::string shortText = "abc";
  EXPECT_EQ(RotateMarquee(shortText), "bca");
  std::string empty;
  EXPECT_EQ(RotateMarquee(empty), "");
  EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace varnox
