// The product name: mutex, registered message, INI file, autostart value, tray tip.
#pragma once

inline const char16_t* ProductName() { return u"Glowmere"; }
inline const char* ProductNameA() { return "Glowmere"; }
