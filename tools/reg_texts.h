// Every text that quorvane-reg prints: reg.exe's commands in the words and
// layout of Windows' reg.exe, so that what a person knows from there holds
// here; then the program's own commands, whose questions are the windows'
// (engine/messages.h). The usage stands with the commands it describes, in
// their table (reg_commands.cpp); the words of a failed call's status and of
// a store that cannot be opened are the store's, which the program's windows
// share (store/status_words.h, store/open_failure.h).
#pragma once

namespace quorvane::tools::text {

inline constexpr const char* kSuccess = "The operation completed successfully.";
inline constexpr const char* kCancelled = "The operation was canceled by the user.";

inline constexpr const char* kInvalidSyntax = "ERROR: Invalid syntax.";
inline constexpr const char* kInvalidKeyName = "ERROR: Invalid key name.";
// A root and a backslash with nothing after it, as in HKLM\ /v x.
inline constexpr const char* kInvalidSystemKey = "ERROR: Invalid system key.";
inline constexpr const char* kInvalidNumber = "ERROR: Invalid syntax. Specify valid numeric value.";
inline constexpr const char* kInvalidText =
    "ERROR: Invalid syntax. Specify key names, value names and data as UTF-8 text.";
// Around the operation's name, as in: Type "REG ADD /?" for usage.
inline constexpr const char* kUsageHintBefore = "Type \"REG";
inline constexpr const char* kUsageHintAfter = " /?\" for usage.";

// What reg.exe does that the portable registry has no meaning for, each
// refused with one line: a key on another computer, and, around the
// operation's name, the operations on hive files.
inline constexpr const char* kRemoteComputer =
    "ERROR: The portable registry is this computer's own file: the registry of another "
    "computer (\\\\COMPUTER\\KEY) cannot be reached through it.";
inline constexpr const char* kHiveOperationBefore = "ERROR: REG ";
inline constexpr const char* kHiveOperationAfter =
    " works on the hive files of Windows' registry; the portable registry is one file and "
    "has none.";

// After the words of a store whose two names now compare as one
// (kAlreadyExists), the names, by key: KEY "holds the subkeys" / "holds the
// values" "A" and "B", the rest.
inline constexpr const char* kCollidingKeyBefore = "Key \"";
inline constexpr const char* kCollidingSubkeys = "\" holds the subkeys \"";
inline constexpr const char* kCollidingValues = "\" holds the values \"";
inline constexpr const char* kCollidingAnd = "\" and \"";
inline constexpr const char* kCollidingAfter =
    "\", which differ only in letter case. Until one of them is deleted the registry is left as "
    "it was and can be read and exported; to delete the second (export it first to keep a "
    "copy):";
// The command that deletes it: the value's key and name, or the subkey.
inline constexpr const char* kWayOutBefore = "    quorvane-reg delete '";
inline constexpr const char* kWayOutValue = "' /v '";
inline constexpr const char* kWayOutAfter = "' /f";
inline constexpr const char* kOutputFailed = "ERROR: The output cannot be written.";
// Before the words of a failed call's status (store/status_words.h), and
// before the reason the store could not be opened.
inline constexpr const char* kErrorPrefix = "ERROR: ";

// The questions asked without /f; the value's name goes between the parts.
inline constexpr const char* kOverwriteBefore = "Value ";
inline constexpr const char* kOverwriteAfter = " exists, overwrite(Yes/No)? ";
inline constexpr const char* kDeleteBefore = "Delete the registry value ";
inline constexpr const char* kDeleteAfter = " (Yes/No)? ";
// Before the key's name, then kDeleteAfter: delete KEY and delete KEY /va.
inline constexpr const char* kDeleteKeyBefore = "Permanently delete the registry key ";
inline constexpr const char* kDeleteValuesBefore = "Delete all values under the registry key ";

// copy of a key onto itself.
inline constexpr const char* kSameKeys =
    "ERROR: The source and destination keys cannot be the same.";

// The last line of query's search, around the number of matches.
inline constexpr const char* kEndOfSearchBefore = "End of search: ";
inline constexpr const char* kEndOfSearchAfter = " match(es) found.";

// compare's lines: what the first key holds and the second does not (or
// otherwise), what the second holds, and what both hold alike; then a
// value with its key, name, type and data, or a subkey; then the result.
inline constexpr const char* kInFirst = "< ";
inline constexpr const char* kInSecond = "> ";
inline constexpr const char* kInBoth = "= ";
inline constexpr const char* kComparedValue = "Value: ";
inline constexpr const char* kComparedKey = "Key: ";
inline constexpr const char* kComparedGap = "  ";
inline constexpr const char* kIdentical = "Result Compared: Identical";
inline constexpr const char* kDifferent = "Result Compared: Different";

// How query shows the default value, and a default value that is not set.
inline constexpr const char* kDefaultName = "(Default)";
inline constexpr const char* kValueNotSet = "(value not set)";
// Between the columns of a value line, and before its first column.
inline constexpr const char* kColumnGap = "    ";

inline constexpr const char* kRootName = "HKEY_LOCAL_MACHINE";

// Around the file's name when export would replace a file.
inline constexpr const char* kReplaceFileBefore = "File ";
inline constexpr const char* kReplaceFileAfter = " already exists. Overwrite (Yes/No)? ";
inline constexpr const char* kFileError =
    "ERROR: Error opening the file. There may be a disk or file system error.";
// After it, why, around the file's name and the system's reason: the file
// that was there is left as it was, or none was written, or the new one is
// in place but may not be on disk yet.
inline constexpr const char* kFileBefore = "The file \"";
inline constexpr const char* kFileLeft = "\" is left as it was: ";
inline constexpr const char* kFileNotWritten = "\" was not written: ";
inline constexpr const char* kFileNotSynced = "\" was written but may not be on disk yet: ";
// The file can be written, but not the folder its new contents are made
// in; the system's reason between the two.
inline constexpr const char* kFileFolderBefore =
    "\" is left as it was: it is replaced whole, through a new file made beside it, and its "
    "folder cannot be written (";
inline constexpr const char* kFileFolderAfter = ").";
// export or preset onto the registry itself, the file's name between.
inline constexpr const char* kStoreFileBefore = "ERROR: The file \"";
inline constexpr const char* kStoreFileAfter =
    "\" is the registry itself, or a file that SQLite keeps beside it; a registry file written "
    "there would destroy the registry. Nothing was written.";
// A key whose name a registry file cannot hold, in quotes between these.
inline constexpr const char* kUnwritableKeyBefore = "ERROR: The key \"";
inline constexpr const char* kUnwritableKeyAfter =
    "\" cannot be written to a registry file: its name holds a line break. Nothing was written.";
inline constexpr const char* kNotRegistryFile =
    "ERROR: The specified file is not a registry file. You can import only registry files.";
// Around the number of the line at which an import stopped.
inline constexpr const char* kBadLineBefore = "ERROR: Line ";
inline constexpr const char* kBadLineAfter =
    " cannot be read as a registry entry; the lines before it were imported, it and the rest "
    "were not.";
// A name that is not text stopped the import at that line.
inline constexpr const char* kBadNameAfter =
    " holds a name that is not valid text (an unpaired UTF-16 surrogate, or bytes that are not "
    "UTF-8), which the registry cannot keep apart from other names; the lines before it were "
    "imported, it and the rest were not.";
inline constexpr const char* kStoppedBefore = "The lines before line ";
inline constexpr const char* kStoppedAfter = " were imported, it and the rest were not.";
inline constexpr const char* kNothingImported = "None of the file was imported.";
// An escape in quotes that reg.exe does not know: the line, the character
// after the backslash, and that character again.
inline constexpr const char* kUnknownEscapeBefore = "WARNING: Line ";
inline constexpr const char* kUnknownEscapeSequence = " holds the unknown escape sequence \\";
inline constexpr const char* kUnknownEscapeReadAs = ", read as ";

// preset with a name that is not a connection type: the name goes between
// the parts, the connection types follow.
inline constexpr const char* kUnknownTypeBefore = "ERROR: There is no preset for \"";
inline constexpr const char* kUnknownTypeAfter = "\". The connection types are: ";

// What --version prints before the version's numbers.
inline constexpr const char* kProgramName = "quorvane-reg ";

// On Windows reg.exe's commands are Windows' own reg.exe's. One of them is
// answered with its name in capitals twice between these; the usage lists
// them all, joined by the separators, before the last part.
inline constexpr const char* kRegExeCommandBefore = "ERROR: Windows' own reg.exe does ";
inline constexpr const char* kRegExeCommandMiddle = ": type \"REG ";
inline constexpr const char* kRegExeCommandAfter = " /?\" for its usage.";
inline constexpr const char* kRegExeCommandsAfter =
    " are Windows' own reg.exe's: type \"REG /?\" for their usage.";
inline constexpr const char* kNameSeparator = ", ";
inline constexpr const char* kLastNameSeparator = " and ";

// The program's commands. A setting's value is shown as a text in quotes,
// a number, or as below.
inline constexpr const char* kNotSet = "(not set)";
inline constexpr const char* kNotRead = "(cannot be read)";
// Between a setting's name and what a line says of it, and between a pane
// and its check box.
inline constexpr const char* kSaidOf = ": ";
// Around the reason a value cannot be read (store/status_words.h).
inline constexpr const char* kUnreadableBefore = "(cannot be read: ";
inline constexpr const char* kUnreadableAfter = ")";

// show: each setting's pane and check box, its key and value name, then its
// value and its backup copy, which may be none, or the marker of a setting
// that was not set at the first run.
inline constexpr const char* kLive = "Live: ";
inline constexpr const char* kBackup = "Backup: ";
inline constexpr const char* kNoCopy = "(none)";
inline constexpr const char* kAbsentMarker = " (restore removes the value)";
inline constexpr const char* kBackupTaken = "The first-run backup has been taken.";
inline constexpr const char* kBackupPending =
    "The first-run backup has not been taken yet: optimise takes it first.";
inline constexpr const char* kMarkerUnknown =
    "Whether the first-run backup has been taken cannot be read.";

// The questions of the program's operations, after their words: the
// prompt, then the answer that /accept or /f gives, or why none is asked.
inline constexpr const char* kDisclaimerPrompt = "Do you agree (Yes/No)? ";
inline constexpr const char* kRestorePrompt = "Restore them (Yes/No)? ";
inline constexpr const char* kAnsweredBy = "Yes, by ";
inline constexpr const char* kNobodyAsked = "No: standard input is not a console.";

// optimise and verify, before the connection type's name and after it.
inline constexpr const char* kPresetBefore = "Every value of the ";
inline constexpr const char* kPresetSetAlready = " preset was set already: nothing changed.";
inline constexpr const char* kPresetSet = " preset is set.";
// optimise: the first run's backup, before its key; each value changed,
// from and to; the reminder; each failure, after the setting's name.
inline constexpr const char* kBackedUpIn = "The settings as they were are backed up in ";
inline constexpr const char* kChangedFrom = ": changed from ";
inline constexpr const char* kChangedTo = " to ";
inline constexpr const char* kRestartForNew =
    "Restart the computer for the new values to take effect.";
inline constexpr const char* kNotWritten = " was not written: ";
inline constexpr const char* kDisclaimerDeclined =
    "ERROR: The disclaimer was declined, so no setting was changed.";
inline constexpr const char* kDisclaimerUnanswered =
    "ERROR: Nobody answered the disclaimer, so no setting was changed. /accept accepts it.";
// verify: a value not set, its setting's name, what it holds, the preset's.
inline constexpr const char* kNotPreset = ", not ";
// restore: each setting put back, removed, or without a copy; each failure.
inline constexpr const char* kRestored = ": restored ";
inline constexpr const char* kRemoved = ": removed, as it was not set at the first run";
inline constexpr const char* kLeftWithoutCopy = ": left as it is, with no backup";
inline constexpr const char* kRestartForRestored =
    "Restart the computer for the restored values to take effect.";
inline constexpr const char* kNotRestored = " was not restored: ";
inline constexpr const char* kNoBackupHere =
    "ERROR: This computer holds no backup of its original settings, so nothing was restored.";
inline constexpr const char* kRestoreDeclined =
    "ERROR: The restore was declined, so nothing was restored.";
inline constexpr const char* kRestoreUnanswered =
    "ERROR: Nobody answered whether to restore, so nothing was restored. /f restores without "
    "asking.";

}  // namespace quorvane::tools::text
