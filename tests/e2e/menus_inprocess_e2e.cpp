// The menu bar built inside a test process: menus of another process cannot be read
// under Wine, so this drives BuildMenuBar on a window of its own. It does not start
// Glowmere.exe; it links the Windows layer and the portable core directly, and carries
// Glowmere's small icon as the executable does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state_win32.h"
#include "app/menus_win32.h"
#include "i18n/string_table.h"

namespace {

using Lines = std::vector<std::wstring>;
const UINT kIconItems[] = {40025u, 40027u, 40041u, 40031u};  // homepage, donate, uninstall, battery

// One line per item: "id text", "-" for a separator, "text" for a submenu; " [checked]"
// and " [default]" as the state says.
Lines Describe(HMENU menu) {
  Lines lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    std::wstring line = (info.fType & MFT_SEPARATOR) ? L"-" : info.hSubMenu ? text : std::to_wstring(info.wID) + L" " + text;
    if (info.fState & MFS_CHECKED) line += L" [checked]";
    if (info.fState & MFS_DEFAULT) line += L" [default]";
    lines.push_back(line);
  }
  return lines;
}

HBITMAP ItemBitmap(HMENU bar, UINT id) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_CHECKMARKS;
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
    dialog_ = CreateWindowExW(0, L"STATIC", L"menu test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog_, nullptr);
    list_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 10, 10, 200,
                            100, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LANGUAGES)), nullptr,
                            nullptr);
    ASSERT_NE(list_, nullptr);
    mainDialog = dialog_;

    // Texts come from an "imported translation", so the test needs no archive;
    // 51 and 53 are missing and must each show their own placeholder.
    for (auto& entry : importedTexts) entry = nullptr;
    const std::pair<int, const char16_t*> texts[] = {
        {44, u"&Exit"}, {50, u"&Program"}, {52, u"&Homepage"}, {60, u"System"}, {61, u"&Screensaver"},
        {62, u"&Power options"}, {63, u"&Mobility Center"}, {64, u"MS settings - battery"}};
    for (const auto& t : texts) importedTexts[t.first] = t.second;
    importActive = true;

    sectionCount = 5;
    sectionNames[0] = u"German\tDeutsch";
    sectionNames[1] = u"Englisch\tEnglish";
    sectionNames[2] = u"Xx\tYy";  // 5 units: no item, and the list ends before it
    sectionNames[3] = u"French\tFran\u00E7ais";
    sectionNames[4] = nullptr;
    const int percents[] = {98, 100, 10, 87, 0};
    for (int i = 0; i < 5; ++i) translatedPercent[i] = percents[i];
    currentLanguage = 1;
  }

  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    importActive = false;
    sectionCount = 0;
  }

  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(MenuBarInProcess, BarHoldsEveryItemInOrderAndTheLanguageListFollows) {
  BuildMenuBar(dialog_);
  HMENU bar = GetMenu(dialog_);
  ASSERT_TRUE(IsMenu(bar));
  EXPECT_EQ(Describe(bar), (Lines{L"&Program", L"System", L"&LNG"}));
  EXPECT_EQ(Describe(GetSubMenu(bar, 0)),
            (Lines{L"40025 &Homepage", L"-", L"40027 str:51?", L"40041 str:53?", L"-", L"1030 &Exit"}));
  EXPECT_EQ(Describe(GetSubMenu(bar, 1)), (Lines{L"-", L"40029 &Screensaver", L"40030 &Power options",
                                                 L"40032 &Mobility Center", L"-", L"40031 MS settings - battery", L"-"}));
  EXPECT_EQ(Describe(GetSubMenu(bar, 2)),
            (Lines{L"21234 German\tDeutsch / 98 %", L"21235 Englisch\tEnglish / 100 % [checked] [default]",
                   L"21237 French\tFran\u00E7ais / 87 %", L"-", L"21334 Translate", L"21335 Load from File (Unicode)"}))
      << "language 2's name is too short for an item";

  wchar_t text[2][64] = {};
  ASSERT_EQ(SendMessageW(list_, CB_GETCOUNT, 0, 0), 2) << "the list stops before the skipped language";
  for (int i = 0; i < 2; ++i) SendMessageW(list_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text[i]));
  EXPECT_EQ(Lines(text, text + 2), (Lines{L"German - Deutsch / 98 %", L"Englisch - English / 100 %"}));
  EXPECT_EQ(SendMessageW(list_, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(MenuBarInProcess, IconItemsShowTheirIcon) {
  BuildMenuBar(dialog_);
  HMENU bar = GetMenu(dialog_);
  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  const int shellIcons[] = {324, 0, 271, 151};  // per item of kIconItems; 0: Glowmere's own
  for (int i = 0; i < 4; ++i) {
    const UINT id = kIconItems[i];
    const HBITMAP bitmap = ItemBitmap(bar, id);
    ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP)) << "item " << id << " has no bitmap";
    BITMAP size = {};
    GetObjectW(bitmap, sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, width) << "item " << id;
    EXPECT_EQ(size.bmHeight, height) << "item " << id;
    // Wine's shell32 lacks these icons: there the items can only be blank.
    const bool systemHasIcon = shellIcons[i] == 0 || LoadImageW(GetModuleHandleW(L"shell32"),
        MAKEINTRESOURCEW(shellIcons[i]), IMAGE_ICON, width, height, 0) != nullptr;
    if (systemHasIcon)
      EXPECT_GT(IconPixels(bitmap, width, height), width * height / 10)
          << "item " << id << ": expected an icon's coloured pixels, saw a blank bitmap";
  }
  EXPECT_EQ(ItemBitmap(bar, 1030), nullptr) << "Exit has no bitmap";
}

// GetGuiResources counts nothing under Wine, so the menus and bitmaps of each replaced bar
// are checked themselves.
TEST_F(MenuBarInProcess, ThousandRebuildsDestroyEveryReplacedMenuAndBitmap) {
  BuildMenuBar(dialog_);
  for (int round = 0; round < 1000; ++round) {
    HMENU bar = GetMenu(dialog_);
    const HMENU menus[] = {bar, GetSubMenu(bar, 0), GetSubMenu(bar, 1), GetSubMenu(bar, 2)};
    std::vector<HBITMAP> bitmaps;
    for (UINT id : kIconItems) bitmaps.push_back(ItemBitmap(bar, id));
    auto live = [&] {
      int count = 0;
      for (HMENU menu : menus) count += IsMenu(menu) ? 1 : 0;
      for (HBITMAP bitmap : bitmaps) count += GetObjectType(bitmap) != 0 ? 1 : 0;
      return count;
    };
    ASSERT_EQ(live(), 8) << "round " << round << ": expected 4 menus and 4 bitmaps in the bar";
    currentLanguage = round % 4;
    BuildMenuBar(dialog_);
    ASSERT_EQ(live(), 0) << "round " << round << ": handles of the replaced menu bar still exist";
  }
}

}  // namespace
