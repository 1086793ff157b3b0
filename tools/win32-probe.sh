#!/usr/bin/env bash
# Answers whether this machine runs 32-bit programs (exit status 0: yes, 1: no) and says so in
# one line. Some kernels of the machines the suite is built on have no 32-bit support; there
# Debian's wine32 cannot run, and installed it breaks the 64-bit Wine runs too. The probe is a
# 32-bit Linux program that only exits, assembled here and run once. SUITE_NO_WIN32=1 makes the
# answer no on any machine.
set -uo pipefail
if [ "${SUITE_NO_WIN32:-}" = 1 ]; then
  echo "32-bit programs: not run (SUITE_NO_WIN32=1)"
  exit 1
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' > "$dir/probe.s"
if as --32 -o "$dir/probe.o" "$dir/probe.s" 2>/dev/null && ld -m elf_i386 -o "$dir/probe" "$dir/probe.o" 2>/dev/null \
  && "$dir/probe" 2>/dev/null; then
  echo "32-bit programs: this machine runs them"
  exit 0
fi
echo "32-bit programs: this machine does not run them (a 32-bit probe could not start)"
exit 1
