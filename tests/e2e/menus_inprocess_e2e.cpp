// The menu bar, built inside this test program (menus of another process cannot be read under
// Wine): BuildMenuBar on a window of its own, with the Windows layer linked in and Glowmere's
// small icon carried as the executable carries it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "dialog/menus_win32.h"
#include "i18n/string_table.h"
#include "res/resource_ids.h"

namespace {

using Lines = std::vector<std::wstring>;
const UINT kIconItems[] = {CMD_HOMEPAGE, CMD_DONATE, CMD_UNINSTALL, CMD_BATTERY_SETTINGS};
const int kShellIcons[] = {324, 0, 271, 151};  // their shell32 icons; 0: Glowmere's own

// One line per item: "id text", "-" for a separator, "text" for a submenu, with a check mark.
Lines Describe(HMENU menu) {
  Lines lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info = {sizeof(info), MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU};
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    std::wstring line = info.hSubMenu ? text : std::to_wstring(info.wID) + L" " + text;
    if (info.fType & MFT_SEPARATOR) line = L"-";
    if (info.fState & MFS_CHECKED) line += L" [checked]";
    lines.push_back(line);
  }
  return lines;
}

// Pixels neither black nor the menu colour: what an icon drawn over the menu colour leaves,
// and a blank bitmap lacks.
int IconPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  const COLORREF menu = GetSysColor(COLOR_MENU);
  const DWORD menuPixel = GetRValue(menu) << 16 | GetGValue(menu) << 8 | GetBValue(menu);
  int count = 0;
  for (DWORD p : pixels) count += rows == height && (p & 0xFFFFFF) != 0 && (p & 0xFFFFFF) != menuPixel;
  return count;
}

class MenuBarInProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    mainDialog = CreateWindowExW(0, L"STATIC", L"menu test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    // Texts of an "imported translation", so no archive is needed; 51 and 53 are missing
    // and must each show their own placeholder.
    for (auto& entry : importedTexts) entry = nullptr;
    const std::pair<int, const char16_t*> texts[] = {
        {44, u"&Exit"}, {50, u"&Program"}, {52, u"&Homepage"}, {60, u"System"}};
    for (const auto& t : texts) importedTexts[t.first] = t.second;
    importActive = true;
    // Section 2's name (5 units) is too short for an item.
    const char16_t* names[] = {u"German\tDeutsch", u"Englisch\tEnglish", u"Xx\tYy", u"French\tFran\u00E7ais", nullptr};
    const int percents[] = {98, 100, 10, 87, 0};
    languageCount = 5;
    for (int i = 0; i < 5; ++i) languageNames[i] = names[i], translatedPercent[i] = percents[i];
    currentLanguage = 1;
    BuildMenuBar(mainDialog);
    bar_ = GetMenu(mainDialog);
  }

  void TearDown() override { DestroyWindow(mainDialog); }

  HMENU bar_ = nullptr;
};

// What a user sees: the bar's top items and the Program menu in the current texts, each
// rebuilt by a language switch; the language menu's labels (no unit test holds them); the icons.
TEST_F(MenuBarInProcess, BarFollowsTheLanguageAndCarriesIcons) {
  EXPECT_EQ(Describe(bar_), (Lines{L"&Program", L"System", L"&LNG"}));
  EXPECT_EQ(Describe(GetSubMenu(bar_, 0)),
            (Lines{L"40025 &Homepage", L"-", L"40050 str:127?", L"40051 str:128?", L"40052 str:129?", L"-",
                   L"40027 str:51?", L"40041 str:53?", L"-", L"1030 &Exit"}));
  EXPECT_EQ(
      Describe(GetSubMenu(bar_, 2)),
      (Lines{L"21234 German\tDeutsch / 98 %", L"21235 Englisch\tEnglish / 100 % [checked]",
             L"21237 French\tFran\u00E7ais / 87 %", L"-", L"21334 Translate", L"21335 Load from File (Unicode)"}));
  importedTexts[50] = u"&Programm";
  importedTexts[44] = u"&Beenden";
  BuildMenuBar(mainDialog);
  AddMenuIcons(mainDialog);
  bar_ = GetMenu(mainDialog);
  EXPECT_EQ(Describe(bar_), (Lines{L"&Programm", L"System", L"&LNG"}));
  EXPECT_EQ(Describe(GetSubMenu(bar_, 0)).back(), L"1030 &Beenden");

  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  for (int i = 0; i < 4; ++i) {
    MENUITEMINFOW item = {sizeof(item), MIIM_CHECKMARKS};
    GetMenuItemInfoW(bar_, kIconItems[i], FALSE, &item);
    const HBITMAP bitmap = item.hbmpUnchecked;
    BITMAP size = {};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof(size), &size)) << "item " << kIconItems[i] << " has no bitmap";
    // Wine's shell32 lacks some of these icons: there the items can only be blank.
    if (kShellIcons[i] == 0 || LoadImageW(GetModuleHandleW(L"shell32"), MAKEINTRESOURCEW(kShellIcons[i]), IMAGE_ICON,
                                          width, height, 0) != nullptr)
      EXPECT_GT(IconPixels(bitmap, width, height), width * height / 10)
          << "item " << kIconItems[i] << ": expected an icon's coloured pixels, saw a blank bitmap";
  }
}

}  // namespace
