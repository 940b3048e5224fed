#!/bin/bash
# Checks the shipped executable: a PE32 GUI program under 220 KB that imports only system DLLs;
# reports its size.
exe=$1
ok=0
info=$(i686-w64-mingw32-objdump -f -p "$exe" 2>/dev/null)
echo "$info" | grep -q "file format pei-i386" || { echo "check-exe: $exe is not PE32 (i386)"; ok=1; }
echo "$info" | grep -qE "^Subsystem\s+0+2\s" || { echo "check-exe: $exe is not a GUI program (subsystem 2)"; ok=1; }
allowed='^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|COMCTL32|COMDLG32|msvcrt)\.dll$'
for dll in $(echo "$info" | awk '/DLL Name:/ {print $3}'); do
  if ! echo "$dll" | grep -qiE "$allowed"; then echo "check-exe: unexpected import $dll"; ok=1; fi
done
# The manifest in the executable asks for per-monitor DPI awareness (v2, with the older
# forms for older systems); without it Windows stretches the dialog and it comes out blurry.
manifest=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null |
  awk '/^1 24 / {m = 1} m && /^END/ {exit} m')
echo "$manifest" | grep -q '<dpiAwareness[^>]*>PerMonitorV2, *PerMonitor\b' ||
  { echo "check-exe: the manifest does not declare dpiAwareness PerMonitorV2, PerMonitor"; ok=1; }
echo "$manifest" | grep -q '<dpiAware[^>]*>true/pm</dpiAware>' ||
  { echo "check-exe: the manifest does not declare dpiAware true/pm for older systems"; ok=1; }
# The product stays under 220 KB.
size=$(stat -c %s "$exe")
[ "$size" -lt $((220 * 1024)) ] || { echo "check-exe: $size bytes, expected under 220 KB ($((220 * 1024)) bytes)"; ok=1; }
echo "Glowmere.exe: $size bytes; imports: $(echo "$info" | awk '/DLL Name:/ {printf "%s ", $3}')"
exit $ok
