// The menu bar, built inside this test program (menus of another process cannot be read under
// Wine): BuildMenuBar on a window of its own, with the Windows layer linked in and Glowmere's
// small icon carried as the executable carries it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/menus_win32.h"
#include "i18n/string_table.h"
#include "res/resource_ids.h"

namespace {

using Lines = std::vector<std::wstring>;
const UINT kIconItems[] = {CMD_HOMEPAGE, CMD_DONATE, CMD_UNINSTALL, CMD_BATTERY_SETTINGS};
const int kShellIcons[] = {324, 0, 271, 151};  // their shell32 icons; 0: Glowmere's own

// One line per item: "id text", "-" for a separator, "text" for a submenu, with the state.
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
    if (info.fState & MFS_DEFAULT) line += L" [default]";
    lines.push_back(line);
  }
  return lines;
}

HBITMAP ItemBitmap(HMENU bar, UINT id) {
  MENUITEMINFOW info = {sizeof(info), MIIM_CHECKMARKS};
  GetMenuItemInfoW(bar, id, FALSE, &info);
  return info.hbmpUnchecked;
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
    list_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 10, 10, 200, 100,
                            mainDialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LANGUAGES)), nullptr, nullptr);
    ASSERT_NE(list_, nullptr);
    // Texts of an "imported translation", so no archive is needed; 51 and 53 are missing
    // and must each show their own placeholder.
    for (auto& entry : importedTexts) entry = nullptr;
    const std::pair<int, const char16_t*> texts[] = {
        {44, u"&Exit"}, {50, u"&Program"}, {52, u"&Homepage"}, {60, u"System"}, {61, u"&Screensaver"},
        {62, u"&Power options"}, {63, u"&Mobility Center"}, {64, u"MS settings - battery"}};
    for (const auto& t : texts) importedTexts[t.first] = t.second;
    importActive = true;
    // Section 2's name (5 units) is too short for an item, and the list ends before it.
    const char16_t* names[] = {u"German\tDeutsch", u"Englisch\tEnglish", u"Xx\tYy", u"French\tFran\u00E7ais", nullptr};
    const int percents[] = {98, 100, 10, 87, 0};
    sectionCount = 5;
    for (int i = 0; i < 5; ++i) sectionNames[i] = names[i], translatedPercent[i] = percents[i];
    currentLanguage = 1;
    BuildMenuBar(mainDialog);
    bar_ = GetMenu(mainDialog);
    ASSERT_TRUE(IsMenu(bar_));
  }

  void TearDown() override { DestroyWindow(mainDialog); }

  HWND list_ = nullptr;
  HMENU bar_ = nullptr;
};

TEST_F(MenuBarInProcess, BarHoldsEveryItemAndIconInOrderAndTheLanguageListFollows) {
  EXPECT_EQ(Describe(bar_), (Lines{L"&Program", L"System", L"&LNG"}));
  EXPECT_EQ(Describe(GetSubMenu(bar_, 0)),
            (Lines{L"40025 &Homepage", L"-", L"40027 str:51?", L"40041 str:53?", L"-", L"1030 &Exit"}));
  EXPECT_EQ(Describe(GetSubMenu(bar_, 1)), (Lines{L"-", L"40029 &Screensaver", L"40030 &Power options",
                                                  L"40032 &Mobility Center", L"-", L"40031 MS settings - battery",
                                                  L"-"}));
  EXPECT_EQ(Describe(GetSubMenu(bar_, 2)),
            (Lines{L"21234 German\tDeutsch / 98 %", L"21235 Englisch\tEnglish / 100 % [checked] [default]",
                   L"21237 French\tFran\u00E7ais / 87 %", L"-", L"21334 Translate",
                   L"21335 Load from File (Unicode)"}));
  wchar_t text[2][64] = {};
  ASSERT_EQ(SendMessageW(list_, CB_GETCOUNT, 0, 0), 2) << "the list stops before the skipped language";
  for (WPARAM i : {0, 1}) SendMessageW(list_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text[i]));
  EXPECT_EQ(Lines(text, text + 2), (Lines{L"German - Deutsch / 98 %", L"Englisch - English / 100 %"}));
  EXPECT_EQ(SendMessageW(list_, CB_GETCURSEL, 0, 0), 1);

  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  for (int i = 0; i < 4; ++i) {
    const HBITMAP bitmap = ItemBitmap(bar_, kIconItems[i]);
    BITMAP size = {};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof(size), &size)) << "item " << kIconItems[i] << " has no bitmap";
    EXPECT_TRUE(size.bmWidth == width && size.bmHeight == height) << "item " << kIconItems[i] << ": expected " << width
        << "x" << height << ", seen " << size.bmWidth << "x" << size.bmHeight;
    // Wine's shell32 lacks some of these icons: there the items can only be blank.
    if (kShellIcons[i] == 0 || LoadImageW(GetModuleHandleW(L"shell32"), MAKEINTRESOURCEW(kShellIcons[i]), IMAGE_ICON,
                                          width, height, 0) != nullptr)
      EXPECT_GT(IconPixels(bitmap, width, height), width * height / 10)
          << "item " << kIconItems[i] << ": expected an icon's coloured pixels, saw a blank bitmap";
  }
  EXPECT_EQ(ItemBitmap(bar_, IDC_EXIT), nullptr) << "Exit has no bitmap";
}

// GetGuiResources counts nothing under Wine, so the menus and bitmaps of each replaced bar
// are checked themselves.
TEST_F(MenuBarInProcess, ThousandRebuildsDestroyEveryReplacedMenuAndBitmap) {
  for (int round = 0; round < 1000; ++round) {
    HMENU bar = GetMenu(mainDialog);
    const HMENU menus[] = {bar, GetSubMenu(bar, 0), GetSubMenu(bar, 1), GetSubMenu(bar, 2)};
    std::vector<HBITMAP> bitmaps;
    for (UINT id : kIconItems) bitmaps.push_back(ItemBitmap(bar, id));
    auto live = [&] {
      return std::count_if(std::begin(menus), std::end(menus), IsMenu) +
             std::count_if(bitmaps.begin(), bitmaps.end(), GetObjectType);
    };
    ASSERT_EQ(live(), 8) << "round " << round << ": expected 4 menus and 4 bitmaps in the bar";
    currentLanguage = round % 4;
    BuildMenuBar(mainDialog);
    ASSERT_EQ(live(), 0) << "round " << round << ": handles of the replaced menu bar still exist";
  }
}

}  // namespace
