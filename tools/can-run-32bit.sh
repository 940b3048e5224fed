#!/bin/bash
# Succeeds when this machine can execute 32-bit x86 code (some kernels refuse it),
# which 32-bit Wine needs. The i386 C library is itself an executable ELF file.
for lib in /usr/lib32/libc.so.6 /lib/i386-linux-gnu/libc.so.6; do
  if [ -x "$lib" ]; then
    "$lib" >/dev/null 2>&1 && exit 0
    exit 1
  fi
done
exit 1
