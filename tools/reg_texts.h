// Every text that quorvane-reg prints, in the words and layout of Windows'
// reg.exe, so that what a person knows from there holds here.
#pragma once

namespace quorvane::tools::text {

inline constexpr const char* kSuccess = "The operation completed successfully.";
inline constexpr const char* kCancelled = "The operation was canceled by the user.";

inline constexpr const char* kInvalidSyntax = "ERROR: Invalid syntax.";
inline constexpr const char* kInvalidKeyName = "ERROR: Invalid key name.";
inline constexpr const char* kInvalidNumber = "ERROR: Invalid syntax. Specify valid numeric value.";
inline constexpr const char* kInvalidText =
    "ERROR: Invalid syntax. Specify key names, value names and data as UTF-8 text.";
// Around the operation's name, as in: Type "REG ADD /?" for usage.
inline constexpr const char* kUsageHintBefore = "Type \"REG";
inline constexpr const char* kUsageHintAfter = " /?\" for usage.";

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
    "\", which differ only in letter case. Until one of them is deleted the registry is left as "
    "it was and can be read and exported; to delete the second (export it first to keep a "
    "copy):";
// The command that deletes it: the value's key and name, or the subkey.
inline constexpr const char* kWayOutBefore = "    quorvane-reg delete '";
inline constexpr const char* kWayOutValue = "' /v '";
inline constexpr const char* kWayOutAfter = "' /f";
inline constexpr const char* kOutputFailed = "ERROR: The output cannot be written.";
inline constexpr const char* kIoFailed =
    "ERROR: An I/O operation initiated by the registry failed unrecoverably.";
// Followed by the reason the store could not be opened.
inline constexpr const char* kErrorPrefix = "ERROR: ";

// The questions asked without /f; the value's name goes between the parts.
inline constexpr const char* kOverwriteBefore = "Value ";
inline constexpr const char* kOverwriteAfter = " exists, overwrite(Yes/No)? ";
inline constexpr const char* kDeleteBefore = "Delete the registry value ";
inline constexpr const char* kDeleteKeyBefore = "Permanently delete the registry key ";
inline constexpr const char* kDeleteAfter = " (Yes/No)? ";

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

inline constexpr const char* kUsage =
    "REG QUERY KeyName [/v ValueName | /ve | /s]\n"
    "REG ADD KeyName [/v ValueName | /ve] [/t Type] [/s Separator] [/d Data] [/f]\n"
    "REG DELETE KeyName [/v ValueName | /ve] [/f]\n"
    "REG EXPORT KeyName FileName [/y]\n"
    "REG IMPORT FileName\n"
    "Each also takes /reg:32 or /reg:64; the portable registry has one view,\n"
    "which both name. quorvane-reg --version prints its version.\n"
    "\n"
    "  KeyName    HKLM\\SubKey or HKEY_LOCAL_MACHINE\\SubKey, in the portable\n"
    "             registry that QUORVANE_REGISTRY names, or the default one\n"
    "  /v         The value ValueName of the key.\n"
    "  /ve        The key's default value (empty value name).\n"
    "  /s         query: the key's subkeys and their values too, all the way down.\n"
    "             add: the character between the strings of a REG_MULTI_SZ (\\0\n"
    "             unless given).\n"
    "  /t         The type of the value added: REG_SZ (the default), REG_EXPAND_SZ,\n"
    "             REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY or REG_NONE.\n"
    "  /d         The data of the value added; a REG_DWORD or REG_QWORD is decimal\n"
    "             or 0x hex, a REG_BINARY hex digits.\n"
    "  /f         Overwrites or deletes without asking; delete without /v or /ve\n"
    "             deletes the key and everything below it.\n"
    "  FileName   A registry file (.reg): export writes it as reg.exe does\n"
    "             (\"Windows Registry Editor Version 5.00\", UTF-16); import reads\n"
    "             that format and REGEDIT4, in one transaction.\n"
    "  /y         export: replaces an existing file without asking.\n"
    "\n"
    "quorvane-reg preset ConnectionType FileName [/y]\n"
    "  writes the values that Quorvane's Optimise writes for ConnectionType\n"
    "  (\"Modem\", \"ADSL Modem\", \"Cable Modem\" or \"LAN Connection\") as a registry\n"
    "  file for reg import.\n";

}  // namespace quorvane::tools::text
