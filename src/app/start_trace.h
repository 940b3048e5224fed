// Where a start's time goes, for the start-up benchmark's split: built in only with
// GLOWMERE_START_TRACE defined (configure with -DCMAKE_CXX_FLAGS=-DGLOWMERE_START_TRACE), a
// no-op otherwise.
#pragma once

#ifdef GLOWMERE_START_TRACE
// Appends "<ms since the process was created> <step>" to %TEMP%\glowmere-start-trace.txt.
void StartTrace(const char* step);
#else
inline void StartTrace(const char*) {}
#endif
