// Every text that quorvane-reg prints, in the words and layout of Windows'
// reg.exe, so that what a person knows from there holds here; the usage
// stands with the commands it describes, in their table (reg_commands.cpp).
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

inline constexpr const char* kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.";
inline constexpr const char* kAccessDenied = "ERROR: Access is denied.";
inline constexpr const char* kBadPath = "ERROR: The specified path is invalid.";
inline constexpr const char* kBadParameter = "ERROR: The parameter is incorrect.";
inline constexpr const char* kCorrupt = "ERROR: The configuration registry database is corrupt.";
inline constexpr const char* kRegistryCorrupt =
    "ERROR: The registry is corrupted. The structure of one of the files containing registry "
    "data is corrupted.";
inline constexpr const char* kInUse = "ERROR: The registry is in use by another program.";
inline constexpr const char* kDiskFull = "ERROR: The registry cannot be written: the disk is full.";
inline constexpr const char* kWriteProtected =
    "ERROR: The registry cannot be written: it can only be read.";
inline constexpr const char* kNamesCollide =
    "ERROR: The registry cannot be written: it holds two names that this version takes as one.";
// Then the names, by key: KEY "holds the subkeys" / "holds the values"
// "A" and "B", the rest.
inline constexpr const char* kCollidingKeyBefore = "Key \"";
inline constexpr const char* kCollidingSubkeys = "\" holds the subkeys \"";
inline constexpr const char* kCollidingValues = "\" holds the values \"";
inline constexpr const char* kCollidingAnd = "\" and \"";
inline constexpr const char* kCollidingAfter =
    "\", which differ only in letter case; rename or remove one of them. Until then the "
    "registry is left as it was and can be read and exported.";
inline constexpr const char* kOutputFailed = "ERROR: The output cannot be written.";
inline constexpr const char* kIoFailed =
    "ERROR: An I/O operation initiated by the registry failed unrecoverably.";
// Followed by the reason the store could not be opened.
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
inline constexpr const char* kStoppedBefore = "The lines before line ";
inline constexpr const char* kStoppedAfter = " were imported, it and the rest were not.";
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

}  // namespace quorvane::tools::text
