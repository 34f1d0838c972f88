// The English texts of the configuration window. Several hints keep the
// wording users have known for years, odd spellings included; do not "fix"
// them without a reason users would notice.

#include <string>

#include "window/texts/contact.h"
#include "window/texts/language_texts.h"

namespace varnox {
namespace {

// Texts shared by more than one control.
constexpr std::string_view kNoRegistry =
    "Some elements not in registry usually.\r\n"
    "If this box grayed, value not found in registry at startup,\r\n"
    "or will delete from registry when apply.";

constexpr std::string_view kSyskey =
    "Syskey adds strong encryption of the account database (SAM),\r\n"
    "available since Windows NT 4.0 Service Pack 3.\r\n"
    "Click syskey.exe to enable it or to change the encryption key.\r\n"
    "Warning: once enabled, the encryption cannot be undone.";

constexpr std::string_view kDllCachePath = "Specify path for SFC Dll cache.";
constexpr std::string_view kSfcQuota = "Specify quota size (in mb) for SFC Dll cache.";

constexpr std::string_view kAtapi =
    "Parameters for DMA mode on MS Atapi driver:\r\n"
    "Disabled - driver will not detect DMA mode.\r\n"
    "Enabled - driver will detect DMA mode automatically.\r\n"
    "Force enabled - force enable DMA mode. (Dangerous!)";

// The font-mapper and cache-independence settings concern Russian users only.
constexpr std::string_view kNotNeeded = "Not need in English";

constexpr std::string_view kSourcePath =
    "SourcePath: the path of the installation files (CD-ROM or network)\r\n"
    "that Windows asks for when it needs files from the setup media.";

constexpr HintAssignment kHints[] = {
    {"lblNoRegistry0", kNoRegistry},
    {"lblNoRegistry1", kNoRegistry},
    {"lblNoRegistry2", kNoRegistry},
    {"lblNoRegistry3", kNoRegistry},

    // Logon
    {"LoginNameEdit",
     "DefaultUserName: the name of the last user who logged on successfully.\r\n"
     "The logon dialog offers it as the user name,\r\n"
     "and automatic logon uses it to log this account on."},
    {"DomainEdit",
     "DefaultDomainName: the domain (or computer name) of the last\r\n"
     "successful logon; automatic logon uses it with DefaultUserName."},
    {"PasswordEdit",
     "DefaultPassword: the password of DefaultUserName for automatic logon.\r\n"
     "It is deleted from the registry when autologon is disabled."},
    {"cbEnableAutoLogon",
     "AutoAdminLogon: when enabled, Windows logs the user on at startup\r\n"
     "without showing the logon dialog.\r\n"
     "The login name and the password above must be filled in.\r\n"
     "Enabling it clears \"Don't display last user name\"."},
    {"cbDontDisplayLastUserName",
     "DontDisplayLastUserName: when this value is 1, the logon dialog\r\n"
     "opens with an empty user name instead of the name\r\n"
     "of the last user who logged on.\r\n"
     "Others then have to know an account name as well as its password.\r\n"
     "Enabling it switches automatic logon off."},
    {"cbAutoLogonCount",
     "You may control count autologons in Windows 2000.\r\n"
     "Next autologon decrease this value by one.\r\n"
     "This value equal 0, autologon will be disabled."},
    {"cbForceAutoLogon",
     "In Windows 2000 autologon works for the first logon only.\r\n"
     "ForceAutoLogon logs the user on again after every log off as well."},
    {"cbDisableCAD",
     "DisableCAD: whether the user must press Ctrl+Alt+Del\r\n"
     "before logging on to Windows 2000 and later."},
    {"cbClearPageFileAtShutdown",
     "ClearPageFileAtShutdown: at shutdown the memory manager fills\r\n"
     "the inactive pages of the paging file with zeros.\r\n"
     "This is a security feature: data that programs left in the\r\n"
     "paging file cannot be read after the system is turned off.\r\n"
     "Shutdown takes longer while the file is cleared."},
    {"cbPowerDownAfterShutDown",
     "PowerdownAfterShutdown: turns the power of ATX/NLX cases off after\r\n"
     "shutdown (Windows NT 4.0); needs a HAL that supports it.\r\n"
     "More on the program's web page (see the Information page)."},
    {"cbDisableQuickReboot",
     "Quick reboot: Shift+Ctrl+Alt+Del restarts Windows NT 4.0 at once,\r\n"
     "without an orderly shutdown and without event log entries.\r\n"
     "Available with Service Pack 3 or later.\r\n"
     "Tick the box to switch quick reboot off (EnableQuickReboot = 0)."},
    {"edHungApplication",
     "HungAppTimeout: how long, in milliseconds, the system waits\r\n"
     "for a process to end after End Task before it shows\r\n"
     "the End Task dialog (or ends it at once with AutoEndTasks).\r\n"
     "5000 ms by default."},
    {"edWaitToKillApp",
     "WaitToKillAppTimeout: how long, in milliseconds, the system waits\r\n"
     "for programs to close at log off or shutdown before it shows\r\n"
     "the End Task dialog (or ends them at once with AutoEndTasks).\r\n"
     "20000 ms by default."},
    {"cbAutoEndTask",
     "AutoEndTasks: at log off or shutdown, processes that do not\r\n"
     "close in time are ended automatically instead of\r\n"
     "showing the End Task dialog."},

    // Memory management
    {"rbServer1", "Minimize memory used"},
    {"rbServer2", "Cache and working sets have equal priority"},
    {"rbServer3", "The cache has a higher priority"},
    {"rbServer4", "The working sets have higher priority"},
    {"cbLargeCache", "Use large memory cache model (as servers)."},
    {"cbIndepend", "Only russian description"},
    {"rb2CacheAuto",
     "The system attempts to retrieve the L2 cache size from the\r\n"
     "Hardware Abstraction Layer (HAL) for the platform.\r\n"
     "If it fails, it uses a default L2 cache size of 256K."},
    {"gbIOLock",
     "IoPageLockLimit: the largest number of bytes that may be locked\r\n"
     "in memory for I/O operations at one time (Windows NT 4.0 and 2000).\r\n"
     "0 means the default of 512K.\r\n"
     "A larger limit can speed up disk and network I/O on busy servers.\r\n"
     "The maximum is about the physical memory less a reserve\r\n"
     "that the system keeps for itself."},
    {"rbIOLockDefault", "The system locked the 512K for I/O operations."},
    {"rbIOLock1024kb", "The system locked the 1024K for I/O operations."},
    {"rbIOLock2048kb", "The system locked the 2048K for I/O operations."},
    {"rbIOLockOther", "The system locked the user defined Kb for I/O operations."},
    {"cbDisablePagingExecutive",
     "DisablePagingExecutive: when set, the kernel and the drivers\r\n"
     "always stay in physical memory and are never paged to disk.\r\n"
     "With plenty of RAM the system then responds faster.\r\n"
     "When cleared (default), parts of them may be paged out."},
    {"cbDefaultSeparateVDM",
     "DefaultSeparateVDM: runs each 16-bit Windows program in its own\r\n"
     "virtual DOS machine, a separate memory space."},

    // Network
    {"cbAutoShareServer",
     "AutoShareServer: whether a Windows NT server creates the hidden\r\n"
     "administrative shares (C$, D$, ... and ADMIN$) at startup.\r\n"
     "Cleared - the shares are not created.\r\n"
     "Grey - the value is absent and the shares are created.\r\n"
     "A change takes effect when the Server service starts again."},
    {"cbAutoShareWks",
     "AutoShareWks: whether a Windows NT workstation creates the hidden\r\n"
     "administrative shares (C$, D$, ... and ADMIN$) at startup.\r\n"
     "Cleared - the shares are not created.\r\n"
     "Grey - the value is absent and the shares are created.\r\n"
     "A change takes effect when the Server service starts again."},
    {"edDiskAlert",
     "DiskSpaceThreshold: the percentage of free disk space\r\n"
     "below which the Server service sends an alert."},
    {"edCacheFileTimeOut",
     "CacheFileTimeout: the longest time, in seconds, that a closed file\r\n"
     "stays in the workstation's cache (10 seconds by default)."},
    {"cbHideServer",
     "Hidden: whether the server announces its name and comment\r\n"
     "to the network browser. Cleared - the computer is hidden\r\n"
     "from the browse list (Network Neighborhood)."},
    {"edServerComment", "Edit server comments"},

    // Internet
    {"cbTCPProfile", "List of your netadapters."},
    {"edMTU",
     "MTU stands for Maximum Transmission Unit and in basic terms,\r\n"
     "it defines the maximum size of a packet that can be transferred\r\n"
     "in one frame over a network.\r\n"
     "For modem connections a MTU of 576 would be a good size."},
    {"edTTL",
     "DefaultTTL: the default time to live of outgoing IP packets,\r\n"
     "the number of routers (hops) a packet may pass before it is dropped.\r\n"
     "1 to 255; 128 by default."},

    // Security
    {"lblSyskey", kSyskey},
    {"lblSyskey1", kSyskey},
    {"lblSyskey2", kSyskey},
    {"lblSyskey3", kSyskey},
    {"lblRunSyskey", kSyskey},
    {"cbProtectionMode",
     "ProtectionMode: tightens the security of the base system objects\r\n"
     "(semaphores, events and the like) that all processes share, so that\r\n"
     "users who are not administrators cannot change objects of others."},
    {"cbAddProtectionMode",
     "AdditionalBaseNamedObjectsProtectionMode: also protects further\r\n"
     "base named objects (RotHintTable, ScmCreatedEvent)."},
    {"rbSFC1",
     "SfcDisable = 0: System File Checker is on and shows pop-ups;\r\n"
     "the default on Windows 2000 Professional."},
    {"rbSFC2",
     "SfcDisable = 3: an undocumented value;\r\n"
     "System File Checker stays on."},
    {"rbSFC3",
     "SfcDisable = 4: System File Checker is on without pop-ups;\r\n"
     "the default on Windows 2000 servers."},
    {"rbSFC4",
     "SfcDisable = FFFFFF9D: System File Checker is fully off;\r\n"
     "an undocumented value."},
    {"rbSFC5",
     "SfcDisable = 1: SFC is off from the next boot and prompts\r\n"
     "to be turned on again; needs a kernel debugger attached."},
    {"rbSFC6",
     "SfcDisable = 2: SFC is off from the next boot without\r\n"
     "a prompt; needs a kernel debugger attached."},
    {"cbDllCachePath", kDllCachePath},
    {"edDllCachePath", kDllCachePath},
    {"cbSFCQuota", kSfcQuota},
    {"edSFCQuota", kSfcQuota},

    // IDE/ATAPI
    {"rgATAPI_0", kAtapi},
    {"rgATAPI_1", kAtapi},

    // Other: CD and fonts
    {"cbAutoPlayCD",
     "Autorun: whether Windows plays a CD, or starts its AutoRun program,\r\n"
     "as soon as the disc is inserted."},
    {"DefaultFontEdit", kNotNeeded},
    {"ArialFontEdit", kNotNeeded},

    // Explorer
    {"cbNoDesktop",
     "NoDesktop: shows or hides all icons and elements of the desktop.\r\n"
     "Cleared - the desktop stays empty."},
    {"cbNoFind", "Enable or disable Find commands appearing in the Start menu."},
    {"cbNoRun", "Enable or disable Run commands appearing in the Start menu."},
    {"cbNoNetHood",
     "NoNetHood: shows or hides the Network Neighborhood icon.\r\n"
     "Without it the user cannot browse the network from the desktop."},
    {"cbMinAnimate",
     "MinAnimate: animates windows as they are minimized,\r\n"
     "maximized and restored."},
    {"cbBeepOnError", "Enable the playing of beep sound then an error occurs "},
    {"cbSmoothScroll", "Enable animated window scrolling in Explorer"},
    {"cbExplorerSeparately",
     "DesktopProcess (Windows NT 4.0): when ticked, the desktop,\r\n"
     "the taskbar and all Explorer windows run in one process.\r\n"
     "Cleared - the desktop and the taskbar run in a process of their own,\r\n"
     "so a failing Explorer window does not take them down."},
    {"cbShowVersionOnDesktop",
     "PaintDesktopVersion: ticked hides the Windows version and build\r\n"
     "in the corner of the desktop (Windows 2000 and later)."},
    {"edWheelDetect", "If problems with detection wheel after ServicePack3 try set value 2"},
    {"edWheelScrollLines", "Determines the number of lines scrolled for each one-notch rotation of the mouse wheel"},
    {"edPS2rate", "Determines refresh rate of PS/2 mouse. This make your mouse cursor move smoothly."},
    {"tbMenuSpeed",
     "MenuShowDelay: the delay, in milliseconds, before a sub-menu opens\r\n"
     "while the mouse rests on its item (400 by default)."},

    // Other: file system and setup
    {"cbNTFSDisableLAU",
     "Ticked - NTFS records the last access time of a file or folder\r\n"
     "each time it is read; cleared - it does not, which saves disk writes."},
    {"edRegOwner", "Defines the registered owner, as specified during Setup"},
    {"edRegOrg", "Defines the registered organization, as specified during Setup."},
    {"edSourcePath", kSourcePath},
    {"edSourcePath2", kSourcePath},
    {"edSourcePath3", "Defines the source of the Service Pack files."},
    {"edSourcePath4", "Defines the source of the Driver Cache files."},

    // Options panel: registry files
    {"btnSaveChanges",
     "Writes the changes OK would make to a registry file, without\r\n"
     "changing the registry. Import it here or on other computers\r\n"
     "with regedit /s or reg import."},
    {"btnBackup",
     "Writes every value this program manages, as it is now, to a\r\n"
     "registry file: importing it puts those values back."},
    {"btnOpenSettings",
     "Shows a registry file's values in the window, as if you had\r\n"
     "set them: a backup, or the changes of another computer.\r\n"
     "Nothing is written until OK; Cancel leaves everything."},
    {"btnSaveGroupPolicy",
     "Writes the changes OK would make as Group Policy files,\r\n"
     "Machine\\Registry.pol and User\\Registry.pol, into a folder you\r\n"
     "choose, keeping the other settings already there."},

    // Shown when this account may read but not change some settings.
    {"btnRunAsAdmin",
     "Settings that are greyed out need administrator rights.\r\n"
     "Click to open this window again as an administrator\r\n"
     "(Windows asks for the administrator's password or consent)."},
};

// Spelling and the two blanks after "program" are as users have always seen them.
constexpr std::string_view kMarqueeHead = "If you have a problems, mail me to ";
constexpr std::string_view kMarqueeTail =
    ".This program change only legal registry entrys.For delete this program  just remove it from your %System32% "
    "folder.";

// Put together once, as the library loads (before any window can ask).
const std::string kMarquee = std::string(kMarqueeHead) + kMaintainerEmail + std::string(kMarqueeTail);

constexpr HintAssignment kDisabledHints[] = {
    {"lblRunSyskey",
     "This Windows has no syskey.exe: Windows 10 version 1709\r\n"
     "and Windows Server 2016 removed it, and with it the encryption\r\n"
     "of the account database by a start-up password or disk."},
};

const LanguageTexts kTexts{
    .switchLanguageTicked = false,
    .hints = kHints,
    .legendHintCount = 4,
    .disabledHints = kDisabledHints,
    .marquee = kMarquee,
    .typeAdminEnglishCaption = "Type \"Administrator\" here",
    .typeAdminRussianCaption = "Not need in English",
    .typeAdminRussianEnabled = false,
    .currentUserCaptionPrefix = "Type current user name here (",
    .showPasswordCaption = "Show password",
    .hidePasswordCaption = "Hide password",
    .hintsLanguageCaption = "Hints in russian language",
    .visibleCaption = "Hints visible",
    .visibleSecondsCaption = "seconds on display",
    .keptElsewhereMessage = "Changed by another program after this window opened, kept as it is now:",
};

}  // namespace

const LanguageTexts& EnglishTexts() { return kTexts; }

}  // namespace varnox
