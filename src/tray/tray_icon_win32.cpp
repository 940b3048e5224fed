// Placeholder until the tray icon arrives.
#include "tray/tray_icon_win32.h"

TrayIcon trayIcon;

TrayIcon::~TrayIcon() = default;
void TrayIcon::SetWindow(HWND) {}
int TrayIcon::Create(UINT, const wchar_t*, bool) { return 1; }
void TrayIcon::ZoomToTray(HWND window, bool) { ShowWindow(window, SW_HIDE); }
void TrayIcon::Readd() {}
