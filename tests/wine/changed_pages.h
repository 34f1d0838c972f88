#pragma once
// The same changes on every page, whatever the version shows, and what the
// changed controls show, read from the native controls: for the end-to-end
// tests of the files the window writes.

#include <windows.h>

#include <map>
#include <string>

#include "driver/ui_driver.h"

namespace varnox::test {

void ChangeEveryPage(UiDriver& ui);

using Shown = std::map<std::string, std::wstring>;

// Each control with the value it shows, as the message names it.
struct ShownRow {
  const wchar_t* tab;
  const char* control;
  bool text;
  const wchar_t* value;
};
inline constexpr ShownRow kShownRows[] = {
    {L"Logon", "cbClearPageFileAtShutdown", false, L"\\ClearPageFileAtShutdown"},
    {L"Logon", "cbAutoEndTask", false, L"\\AutoEndTasks"},
    {L"Logon", "DomainEdit", true, L"\\DefaultDomainName"},
    {L"Memory management", "cbDisablePagingExecutive", false, L"\\DisablePagingExecutive"},
    {L"Network", "cbHideServer", false, L"\\Hidden"},
    {L"Security", "cbProtectionMode", false, L"\\ProtectionMode"},
    {L"Explorer", "cbNoRun", false, L"\\NoRun"},
    {L"Explorer", "cbMinAnimate", false, L"\\MinAnimate"},
    {L"Other", "cbNTFSDisableLAU", false, L"\\NtfsDisableLastAccessUpdate"},
    {L"Other", "edRegOwner", true, L"\\RegisteredOwner"},
    {L"System tools", "rbPrefetch1", false, L"\\EnablePrefetcher"},
};

Shown ShownStates(UiDriver& ui);
std::wstring Describe(const Shown& shown);

}  // namespace varnox::test
