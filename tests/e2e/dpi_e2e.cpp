// Glowmere at 100 %, 150 % and 200 % display scaling. dpi_e2e.sh sets the DPI in the test
// prefix and runs this program once per DPI, with GLOWMERE_TEST_DPI naming it; the 96 DPI
// run goes first and leaves its client size for the others to compare with.
#include "harness.h"

#include <commctrl.h>

#include <cstdio>

#include "app/app_state_win32.h"
#include "dialog/dialog_dpi_win32.h"

namespace {

using namespace e2e;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::string Describe(HWND control) {
  return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + Narrow(WindowText(control)) + "\"";
}

// Width of a control's text, measured here: fonts cannot be shared with another process
// under Wine. The dialog's font is Verdana at 10 points; the link's is 0.8 times as high.
int TextWidth(HWND control, int dpi) {
  std::wstring text = WindowText(control);
  for (size_t at; (at = text.find(L'&')) != std::wstring::npos;) text.erase(at, 1);
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
  return text.empty() ? 0 : size.cx;
}

class Dpi : public GlowmereTest {
 protected:
  void SetUp() override {
    GlowmereTest::SetUp();
    ASSERT_GT(dpi, 0) << "GLOWMERE_TEST_DPI must name the DPI this run expects (dpi_e2e.sh sets it)";
  }
  const int dpi = _wtoi(Env(L"GLOWMERE_TEST_DPI").c_str());
};

// The client area grows with the DPI against the 96 DPI run (the font's rounding aside), no
// visible control reaches out of it or over another (the group box frames the sliders by
// design), texts fit, and the dialog's icons have the size for the DPI.
TEST_F(Dpi, DialogScalesWithoutClippingOrOverlap) {
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi) << "the prefix's LogPixels did not take";
  ReleaseDC(nullptr, screen);
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  RECT client;
  GetClientRect(dialog, &client);
  const std::wstring reference = StateFile(L"dpi-96-client.txt");
  if (dpi == 96) {
    ASSERT_TRUE(WriteFileBytes(reference, std::to_string(client.right) + " " + std::to_string(client.bottom)));
  } else {
    long width96 = 0, height96 = 0;
    ASSERT_EQ(sscanf(ReadFileBytes(reference).c_str(), "%ld %ld", &width96, &height96), 2)
        << "the 96 DPI run must come first and leave " << Narrow(reference);
    EXPECT_NEAR(client.right, width96 * dpi / 96.0, width96 * dpi / 96.0 * 0.12) << "client width; 96 DPI: " << width96;
    EXPECT_NEAR(client.bottom, height96 * dpi / 96.0, height96 * dpi / 96.0 * 0.12) << "height; 96 DPI: " << height96;
  }

  std::vector<std::pair<HWND, RECT>> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (IsWindowVisible(child) && (ClassOf(child) != L"Button" || (style & BS_TYPEMASK) != BS_GROUPBOX))
      controls.emplace_back(child, r);
  }
  ASSERT_GE(controls.size(), 20u) << "expected the dialog's controls";
  int icons = 0;
  for (size_t i = 0; i < controls.size(); ++i) {
    HWND window = controls[i].first;
    const RECT& rect = controls[i].second;
    RECT inside, overlap;
    IntersectRect(&inside, &rect, &client);
    EXPECT_TRUE(EqualRect(&inside, &rect)) << Describe(window) << " reaches out of the client area";
    for (size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(IntersectRect(&overlap, &rect, &controls[j].second))
          << Describe(window) << " overlaps " << Describe(controls[j].first);
    // Texts fit their controls (the language list: its current entry; a check box needs room
    // for its box as well); the icons have the large size.
    const std::wstring cls = ClassOf(window);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const int width = rect.right - rect.left;
    if (cls == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
      ++icons;
      EXPECT_TRUE(width == 32 * dpi / 96 && rect.bottom - rect.top == 32 * dpi / 96)
          << Describe(window) << ": expected an icon of " << 32 * dpi / 96 << " pixels";
    } else if (cls == L"Static" || cls == L"Button" || cls == L"ComboBox") {
      const bool box = cls == L"Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
      const int room = width - (cls == L"ComboBox" ? GetSystemMetrics(SM_CXVSCROLL) + 6 : 0) -
                       (box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);  // the drop-down button; the box
      const int text = TextWidth(window, dpi);
      EXPECT_TRUE(text >= 0 && text <= room)
          << "the text of " << Describe(window) << " needs " << text << " pixels, has " << room;
    }
  }
  EXPECT_EQ(icons, 2) << "the icons beside the sliders and at the bottom";
}

// The title bar's and the taskbar's icons cannot be read from another process under Wine:
// the dialog's icon code runs here, on a window of this process, at the prefix's DPI.
TEST_F(Dpi, WindowIconsHaveTheSizeForTheDpi) {
  appInstance = GetModuleHandleW(nullptr);
  HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, appInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ApplyDialogDpi(window);
  const struct {
    WPARAM which;
    int size;
    const char* name;
  } windowIcons[] = {{ICON_SMALL, 16 * dpi / 96, "small (title bar)"},
                     {ICON_BIG, 32 * dpi / 96, "large (taskbar, Alt+Tab)"}};
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
