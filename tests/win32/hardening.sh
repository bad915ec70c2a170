#!/bin/sh
# hardening.sh OBJDUMP NM PROGRAM LIBRARY...: the program may be loaded at a random address
# anywhere in the 64-bit address space and runs no code from its data (ASLR with high entropy,
# DEP), and holds libssp's stack protector; the libraries linked into it call the protector and
# a checked copy (__memcpy_chk and kin), which only the stripped program's symbols would show.
set -eu
objdump=$1 nm=$2 program=$3
shift 3
status=0
fail() { echo "$1" >&2; status=1; }
flags=$("$objdump" -p "$program" | sed -n '/^DllCharacteristics/,/^SizeOf/p')
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    echo "$flags" | grep -qw "$flag" || fail "$program lacks $flag"
done
grep -q 'stack smashing detected' "$program" || fail "$program holds no stack protector"
calls=$("$nm" "$@" | sed -n 's/^ *U \(__[a-z]*_chk[a-z_]*\)$/\1/p' | sort -u)
echo "$calls" | grep -qx __stack_chk_fail || fail "no code calls the stack protector"
echo "$calls" | grep -v '^__stack_chk' | grep -q . || fail "no code calls a checked copy"
exit "$status"
