file(SIZE "${FILE}" size)
math(EXPR kib "${size} / 1024")
message(STATUS "Glowmere.exe: ${size} bytes (${kib} KiB)")
