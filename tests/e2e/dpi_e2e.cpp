// Glowmere at 100 %, 150 % and 200 % display scaling. dpi_e2e.sh sets the DPI in the test
// prefix and runs this program once per DPI, with GLOWMERE_TEST_DPI naming it; the 96 DPI
// run goes first and leaves its client size for the others to compare with.
#include "harness.h"

#include <commctrl.h>

#include <cstdio>

#include "app/app_state_win32.h"
#include "app/dialog_dpi_win32.h"
#include "res/resource_ids.h"

namespace {

using namespace e2e;

int ExpectedDpi() { return _wtoi(Env(L"GLOWMERE_TEST_DPI").c_str()); }
std::wstring ReferenceFile() { return L"Z:" + Env(L"GLOWMERE_E2E_STATE") + L"/dpi-96-client.txt"; }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::string Describe(HWND control) {
  const int id = GetDlgCtrlID(control);
  return "control " + std::to_string(id) + " (" + Narrow(ClassOf(control)) + " \"" + Narrow(WindowText(control)) + "\")";
}

std::string RectText(const RECT& r) {
  return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + "}";
}

// The visible controls with their rectangles in the dialog's client coordinates. The group
// box frames the sliders by design and is left out of the overlap check.
struct Control {
  HWND window;
  RECT rect;
};
std::vector<Control> VisibleControls(HWND dialog) {
  std::vector<Control> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (ClassOf(child) == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    controls.push_back({child, r});
  }
  return controls;
}

// Width of a control's text, measured here: fonts cannot be shared with another process
// under Wine. The dialog's font is Verdana at 10 points; the link's is 0.8 times as high.
int TextWidth(HWND control, int dpi) {
  std::wstring text = WindowText(control);
  for (size_t at; (at = text.find(L'&')) != std::wstring::npos;) text.erase(at, 1);
  if (text.empty()) return 0;
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(-MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana");
  HGDIOBJ old = SelectObject(dc, font);
  if (GetDlgCtrlID(control) == IDC_LINK) {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(font);
    font = CreateFontW(static_cast<int>(metrics.tmHeight * 0.8), 0, 0, 0, FW_NORMAL, 0, TRUE, 0, DEFAULT_CHARSET, 0, 0,
                       0, 0, L"Verdana");
    old = SelectObject(dc, font);
  }
  SIZE size = {-1, 0};
  if (!GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) size.cx = -1;
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

class Dpi : public GlowmereTest {};

TEST_F(Dpi, DialogScalesWithoutClippingOrOverlap) {
  const int dpi = ExpectedDpi();
  ASSERT_GT(dpi, 0) << "GLOWMERE_TEST_DPI must name the DPI this run expects (dpi_e2e.sh sets it)";
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(screenDpi, dpi) << "the prefix's LogPixels did not take";

  const Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  RECT client;
  GetClientRect(dialog, &client);

  // Against the 96 DPI run: the client area grows with the DPI (the font's rounding aside).
  if (dpi == 96) {
    FILE* out = _wfopen(ReferenceFile().c_str(), L"w");
    ASSERT_NE(out, nullptr) << "cannot write " << Narrow(ReferenceFile());
    fprintf(out, "%ld %ld\n", client.right, client.bottom);
    fclose(out);
  } else {
    long width96 = 0, height96 = 0;
    FILE* in = _wfopen(ReferenceFile().c_str(), L"r");
    ASSERT_NE(in, nullptr) << "the 96 DPI run must come first and leave " << Narrow(ReferenceFile());
    const int read = fscanf(in, "%ld %ld", &width96, &height96);
    fclose(in);
    ASSERT_EQ(read, 2);
    const double scale = dpi / 96.0;
    EXPECT_NEAR(client.right, width96 * scale, width96 * scale * 0.12)
        << "client width at " << dpi << " DPI; at 96 DPI it was " << width96;
    EXPECT_NEAR(client.bottom, height96 * scale, height96 * scale * 0.12)
        << "client height at " << dpi << " DPI; at 96 DPI it was " << height96;
  }

  const std::vector<Control> controls = VisibleControls(dialog);
  ASSERT_GE(controls.size(), 20u) << "expected the dialog's controls";
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& c = controls[i];
    RECT inside;
    IntersectRect(&inside, &c.rect, &client);
    EXPECT_TRUE(EqualRect(&inside, &c.rect))
        << Describe(c.window) << " at " << RectText(c.rect) << " reaches out of the client area " << RectText(client);
    for (size_t j = i + 1; j < controls.size(); ++j) {
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &c.rect, &controls[j].rect))
          << Describe(c.window) << " at " << RectText(c.rect) << " overlaps " << Describe(controls[j].window)
          << " at " << RectText(controls[j].rect);
    }
    // Texts fit their controls (the language list: its current entry); a check box needs
    // room for its box as well.
    const std::wstring cls = ClassOf(c.window);
    const LONG style = GetWindowLongW(c.window, GWL_STYLE);
    if ((cls != L"Static" && cls != L"Button" && cls != L"ComboBox") ||
        (cls == L"Static" && (style & SS_TYPEMASK) == SS_ICON)) {
      continue;
    }
    int room = c.rect.right - c.rect.left;
    if (cls == L"ComboBox") room -= GetSystemMetrics(SM_CXVSCROLL) + 6;  // the drop-down button, the frame
    if (cls == L"Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
      room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
    }
    const int width = TextWidth(c.window, dpi);
    ASSERT_GE(width, 0) << "cannot measure the text of " << Describe(c.window);
    EXPECT_LE(width, room) << "the text of " << Describe(c.window) << " is clipped at " << dpi << " DPI";
  }
}

// Every icon the dialog shows is one of the .ico's own images at the size for the DPI:
// the title bar's small one, the taskbar's large one and the two in the dialog.
TEST_F(Dpi, IconsHaveTheSizeForTheDpi) {
  const int dpi = ExpectedDpi();
  ASSERT_GT(dpi, 0) << "GLOWMERE_TEST_DPI must name the DPI this run expects";
  const Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  const int small = 16 * dpi / 96, large = 32 * dpi / 96;  // 16/32, 24/48, 32/64

  for (int id : {IDC_ICON_SLIDERS, IDC_ICON_BOTTOM}) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    EXPECT_EQ(r.right - r.left, large) << "width of icon control " << id << " at " << dpi << " DPI";
    EXPECT_EQ(r.bottom - r.top, large) << "height of icon control " << id << " at " << dpi << " DPI";
  }
}

// The title bar's and the taskbar's icons cannot be read from another process under Wine:
// the dialog's icon code runs here, on a window of this process, at the prefix's DPI.
TEST_F(Dpi, WindowIconsHaveTheSizeForTheDpi) {
  const int dpi = ExpectedDpi();
  ASSERT_GT(dpi, 0) << "GLOWMERE_TEST_DPI must name the DPI this run expects";
  appInstance = GetModuleHandleW(nullptr);
  HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, appInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ApplyDialogDpi(window);
  const struct { WPARAM which; int size; const char* name; } windowIcons[] = {
      {ICON_SMALL, 16 * dpi / 96, "small (title bar)"}, {ICON_BIG, 32 * dpi / 96, "large (taskbar, Alt+Tab)"}};
  for (const auto& w : windowIcons) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, w.which, 0));
    ICONINFO info = {};
    ASSERT_TRUE(icon != nullptr && GetIconInfo(icon, &info)) << "the dialog code set no " << w.name << " icon";
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    EXPECT_EQ(bitmap.bmWidth, w.size) << "width of the " << w.name << " icon at " << dpi << " DPI";
  }
  DestroyWindow(window);
}

}  // namespace
