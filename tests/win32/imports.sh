#!/bin/sh
# imports.sh OBJDUMP PROGRAM: the program imports only Windows' known DLLs, which the loader takes
# from the system folder alone, and COMCTL32, which the manifest's side-by-side assembly names.
# Any other DLL would be looked for in the program's own folder first, where anyone may have
# saved one of that name.
set -eu
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs of Windows 10, and ntdll.
known='advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32
shlwapi user32 wldap32 ws2_32 comctl32'
headers=$("$1" -p "$2")
dlls=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: \(.*\)\.dll$/\1/Ip' | tr '[:upper:]' '[:lower:]')
[ -n "$dlls" ] || { echo "found no imports in $2" >&2; exit 1; }
status=0
for dll in $dlls; do
    case " $known " in
    *[[:space:]]"$dll"[[:space:]]*) ;;
    *) echo "$2 imports $dll.dll, which Windows would look for beside it first" >&2; status=1 ;;
    esac
done
exit "$status"
