// Paths however long: the module's own, and the form that file functions take beyond MAX_PATH.
#pragma once

#include <windows.h>

#include <string>

// The module's full path (null: the running executable), or "" on failure. Never cut:
// a copy deep in a folder tree has a path beyond MAX_PATH, and a cut path names another file.
std::wstring ModuleFileName(HMODULE module = nullptr);

// `path` in the "\\?\" form when it is too long for the classic file functions (a deeply
// nested portable copy); shorter paths are returned as they are.
std::wstring LongPath(const std::wstring& path);
