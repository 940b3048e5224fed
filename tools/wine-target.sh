# Which Windows build runs under Wine on this machine; sourced by the tools scripts.
#   . tools/wine-target.sh; glowmere_wine_target
# The product is the 32-bit build; where this machine cannot run 32-bit code (some kernels
# refuse it), Wine runs a 64-bit build of the same sources instead.

# Sets GLOWMERE_PRESET and GLOWMERE_ARCH (win32|win64) and GLOWMERE_LOADER, the Wine
# loader for that build.
glowmere_wine_target() {
  # 32-bit Wine needs the kernel to execute 32-bit x86 code. The i386 C library is itself
  # an executable ELF file, so running it tells.
  local lib can_run_32bit=0
  for lib in /usr/lib32/libc.so.6 /lib/i386-linux-gnu/libc.so.6; do
    if [ -x "$lib" ]; then
      "$lib" >/dev/null 2>&1 && can_run_32bit=1
      break
    fi
  done
  if [ "$can_run_32bit" = 1 ]; then
    GLOWMERE_PRESET=win32 GLOWMERE_ARCH=win32 GLOWMERE_LOADER=wine
  else
    GLOWMERE_PRESET=win64 GLOWMERE_ARCH=win64 GLOWMERE_LOADER=/usr/lib/wine/wine64
  fi
}
