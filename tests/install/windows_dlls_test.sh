#!/usr/bin/env bash
# quorvane.exe, or quorvane-reg.exe, starts on a bare Windows and takes no
# DLL from the folder it stands in: it imports only KnownDLLs, which Windows
# ships and loads from System32 alone, never from the program's folder (the
# C++ runtime is linked in). Every other DLL it loads at run time, it loads
# from System32 itself.
# Usage: windows_dlls_test.sh OBJDUMP PROGRAM_EXE
set -euo pipefail
# The KnownDLLs of Windows 10 and 11, the values of
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs (the
# WOW64 and ARM64 emulators' own left out).
known_dlls='^(advapi32|clbcatq|combase|comdlg32|coml2|difxapi|gdi32|gdiplus|imagehlp|imm32|kernel32|msctf|msvcrt|normaliz|nsi|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shcore|shell32|shlwapi|user32|wldap32|ws2_32)\.dll$'
dlls=$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "FAIL: no imports read from $2" >&2; exit 1; }
unknown=$(tr 'A-Z' 'a-z' <<<"$dlls" | grep -Ev "$known_dlls" || true)
[ -z "$unknown" ] || { echo "FAIL: imports DLLs that are not KnownDLLs: $unknown" >&2; exit 1; }
echo "PASS: $(tr '\n' ' ' <<<"$dlls")"
