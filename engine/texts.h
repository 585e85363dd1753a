// The texts that the windows show of the operations: the current-value
// caption's prefix and the message texts.
// Each text is written here once; the messages that carry them, with their
// titles, buttons and icons, are built in messages.cpp.
#pragma once

namespace quorvane::engine::text {

// A current-value caption is this prefix (ending in one blank) followed by
// the text read from the registry.
inline constexpr const char* kCaptionPrefix = "You Currently Have This Set To: ";

// What it shows when its value is absent, each setting's help text, is in
// the settings' table (store/catalogue.h).

// The first-run disclaimer. Its line breaks are CR LF: one after each of the
// first two paragraphs, two before the author's line and two after it.
inline constexpr const char* kDisclaimerTitle = "Welcome to Quorvane";
inline constexpr const char* kDisclaimer =
    "Welcome to Quorvane, we have backed up your settings as they were before you ran this "
    "program the first time. We recommend taking a full registry backup *before* running this "
    "program."
    "\r\n"
    " If your tweak didn't help, or made things worse, first try clicking the Restore button at "
    "the bottom of the screen. If that doesn't help, then it's either your ISP or you and is "
    "entirely your problem."
    "\r\n"
    "If you agree to this, please click Yes, otherwise click No and the program will exit. "
    "\r\n\r\n"
    "Dorrimer - Author and reciever of annoyed emails from people who should know better than to "
    "fiddle with settings without making backups."
    "\r\n\r\n"
    "PS: Don't say I didn't warn you...";

// Shown instead of the disclaimer when the backup could not be taken,
// each saying how far the first run got: the first-run marker could not be
// read; the first backup write failed; some were written, then one failed;
// all were written, then the marker could not be; or the user declined and
// the marker could not be set back.
inline constexpr const char* kMarkerUnreadable =
    "Quorvane could not read whether it has backed up your network settings before, so nothing "
    "has been changed.";
inline constexpr const char* kBackupFailed =
    "Quorvane could not back up your current network settings, so nothing has been changed.";
inline constexpr const char* kBackupPartlyLead =
    "Quorvane backed up only some of your current network settings (";
inline constexpr const char* kBackupPartlyMiddle = ") and could not back up ";
inline constexpr const char* kBackupPartlyTail =
    ", so none of your network settings has been changed.";
inline constexpr const char* kFirstRunNotMarked =
    "Quorvane backed up your current network settings but could not record that it did, so none "
    "of them has been changed and the next start will back them up again.";
inline constexpr const char* kDeclineNotMarked =
    "Quorvane backed up your current network settings and changed none of them, but could not "
    "record that you declined, so the next start will not ask you again.";

inline constexpr const char* kSelectConnectionType =
    "Please select your Connection Type from the list opposite.";

// A message that names settings is its lead, the settings' names joined by
// kNameSeparator, then its tail.
inline constexpr const char* kNameSeparator = ", ";
// An optimise or an Apply that could not write a setting names it so; the
// optimise adds that the settings are not fully optimised.
inline constexpr const char* kChangeFailedLead = "Quorvane could not change these settings: ";
inline constexpr const char* kChangeFailedTail = ".";
inline constexpr const char* kNotFullyOptimised = "Your settings are not fully optimised.";

inline constexpr const char* kRestoreTitle = "Quorvane Settings Restore";
inline constexpr const char* kRestoreConfirm =
    "When you first ran this program, we stored your old settings as they were in the registry. "
    "These have not been modified since. If you would like to revert to how your machine was "
    "before, click Yes. If not Click No. Anything not working right after this is entirely your "
    "own doing!";
// The closing box of a restore that put every setting back is the first
// sentence and the reminder; the reminder ends every box of a restore that
// changed anything.
inline constexpr const char* kRestoreComplete = "Restore Complete.";
inline constexpr const char* kRebootReminder = "Please Reboot your Computer.";
inline constexpr const char* kRestoredOthers = "Quorvane restored your other settings.";
inline constexpr const char* kNoBackupValueLead =
    "These settings had no backup and were left as they are: ";
inline constexpr const char* kNoBackupValueTail = ".";
inline constexpr const char* kNoBackupFound =
    "No backup of your original settings was found, so nothing has been restored.";
inline constexpr const char* kRestoreFailedLead = "Quorvane could not restore these settings: ";
inline constexpr const char* kRestoreFailedTail = ".";

// A failure box carries the reasons of its failures after its own text
// (store/status_words.h), each once, in the order met, a blank before each.
inline constexpr const char* kSentenceSeparator = " ";

}  // namespace quorvane::engine::text
