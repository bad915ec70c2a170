#!/bin/sh
# imports.sh OBJDUMP PROGRAM NM LIBRARY...: the program imports only Windows' known DLLs, which the
# loader takes from the system folder alone, and COMCTL32, which the manifest's side-by-side
# assembly names. Any other DLL would be looked for in the program's own folder first, where anyone
# may have saved one of that name (libssp-0.dll among them: its stack protector is linked in).
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

# Loaded at a random address anywhere in the 64-bit address space, running no code from its data
# (ASLR with high entropy, DEP), with libssp's stack protector in it; the code built with its flags
# calls that and a checked copy (__memcpy_chk and kin), which only the libraries' symbols show.
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    echo "$headers" | grep -qw "$flag" || { echo "$2 lacks $flag" >&2; status=1; }
done
grep -q 'stack smashing detected' "$2" || { echo "$2 holds no stack protector" >&2; status=1; }
program=$2 nm=$3
shift 3
calls=$("$nm" "$@" | sed -n 's/^ *U \(__[a-z]*_chk[a-z_]*\)$/\1/p' | sort -u)
echo "$calls" | grep -qx __stack_chk_fail || { echo "no code calls the stack protector" >&2; status=1; }
echo "$calls" | grep -v '^__stack_chk' | grep -q . || { echo "no code calls a checked copy" >&2; status=1; }
[ "$status" -eq 0 ] && echo "$program: $(echo "$calls" | tr '\n' ' ')"
exit "$status"
