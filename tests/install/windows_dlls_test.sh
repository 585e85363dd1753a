#!/usr/bin/env bash
# quorvane.exe starts on a bare Windows: it imports only DLLs that Windows
# itself ships, none of MinGW's (the C++ runtime is linked in).
# Usage: windows_dlls_test.sh OBJDUMP QUORVANE_EXE
set -euo pipefail
windows_dlls='^(advapi32|comctl32|gdi32|kernel32|msvcrt|shell32|user32|version)\.dll$'
dlls=$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "FAIL: no imports read from $2" >&2; exit 1; }
foreign=$(tr 'A-Z' 'a-z' <<<"$dlls" | grep -Ev "$windows_dlls" || true)
[ -z "$foreign" ] || { echo "FAIL: imports DLLs that Windows does not ship: $foreign" >&2; exit 1; }
echo "PASS: $(tr '\n' ' ' <<<"$dlls")"
