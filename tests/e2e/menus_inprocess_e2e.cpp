// The menu bar built inside a test process: menus of another process cannot be read
// under Wine, so this drives BuildMenuBar on a window of its own. It does not start
// Glowmere.exe; it links the Windows layer and the portable core directly.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/menus_win32.h"
#include "i18n/string_table.h"

namespace {

struct Item {
  UINT id;
  bool separator;
  std::wstring text;
  UINT state;
  HBITMAP bitmap;
};

std::vector<Item> Items(HMENU menu) {
  std::vector<Item> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_CHECKMARKS;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    items.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, text, info.fState, info.hbmpUnchecked});
  }
  return items;
}

std::wstring MenuText(HMENU bar, int position) {
  wchar_t text[256] = {};
  GetMenuStringW(bar, static_cast<UINT>(position), text, 255, MF_BYPOSITION);
  return text;
}

std::wstring ListText(HWND list, int index) {
  wchar_t text[256] = {};
  SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
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
    importedTexts[44] = u"&Exit";
    importedTexts[50] = u"&Program";
    importedTexts[52] = u"&Homepage";
    importedTexts[60] = u"System";
    importedTexts[61] = u"&Screensaver";
    importedTexts[62] = u"&Power options";
    importedTexts[63] = u"&Mobility Center";
    importedTexts[64] = u"MS settings - battery";
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

TEST_F(MenuBarInProcess, BarHoldsEveryItemInOrder) {
  BuildMenuBar(dialog_);
  HMENU bar = GetMenu(dialog_);
  ASSERT_TRUE(IsMenu(bar));
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(MenuText(bar, 0), L"&Program");
  EXPECT_EQ(MenuText(bar, 1), L"System");
  EXPECT_EQ(MenuText(bar, 2), L"&LNG");

  const std::vector<Item> program = Items(GetSubMenu(bar, 0));
  ASSERT_EQ(program.size(), 6u);
  const UINT programIds[] = {40025, 0, 40027, 40041, 0, 1030};
  const wchar_t* programTexts[] = {L"&Homepage", L"", L"str:51?", L"str:53?", L"", L"&Exit"};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(program[i].separator, programIds[i] == 0) << "program item " << i;
    if (programIds[i] == 0) continue;
    EXPECT_EQ(program[i].id, programIds[i]) << "program item " << i;
    EXPECT_EQ(program[i].text, programTexts[i]) << "program item " << i;
  }

  const std::vector<Item> system = Items(GetSubMenu(bar, 1));
  ASSERT_EQ(system.size(), 7u);
  const UINT systemIds[] = {0, 40029, 40030, 40032, 0, 40031, 0};
  const wchar_t* systemTexts[] = {L"", L"&Screensaver", L"&Power options", L"&Mobility Center", L"",
                                  L"MS settings - battery", L""};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(system[i].separator, systemIds[i] == 0) << "system item " << i;
    if (systemIds[i] == 0) continue;
    EXPECT_EQ(system[i].id, systemIds[i]) << "system item " << i;
    EXPECT_EQ(system[i].text, systemTexts[i]) << "system item " << i;
  }
}

TEST_F(MenuBarInProcess, IconItemsCarryASmallBitmap) {
  BuildMenuBar(dialog_);
  HMENU bar = GetMenu(dialog_);
  for (UINT id : {40025u, 40027u, 40041u, 40031u}) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    ASSERT_TRUE(GetMenuItemInfoW(bar, id, FALSE, &info)) << "item " << id;
    EXPECT_EQ(info.hbmpChecked, nullptr) << "item " << id;
    ASSERT_EQ(GetObjectType(info.hbmpUnchecked), static_cast<DWORD>(OBJ_BITMAP)) << "item " << id;
    BITMAP bitmap = {};
    GetObjectW(info.hbmpUnchecked, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON)) << "item " << id;
    EXPECT_EQ(bitmap.bmHeight, GetSystemMetrics(SM_CYSMICON)) << "item " << id;
  }
  MENUITEMINFOW exitInfo = {};
  exitInfo.cbSize = sizeof(exitInfo);
  exitInfo.fMask = MIIM_CHECKMARKS;
  GetMenuItemInfoW(bar, 1030, FALSE, &exitInfo);
  EXPECT_EQ(exitInfo.hbmpUnchecked, nullptr) << "Exit has no bitmap";
}

TEST_F(MenuBarInProcess, LanguageMenuChecksTheCurrentLanguageAndFillsTheList) {
  BuildMenuBar(dialog_);
  HMENU languages = GetSubMenu(GetMenu(dialog_), 2);
  const std::vector<Item> items = Items(languages);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].id, 21234u);
  EXPECT_EQ(items[0].text, L"German\tDeutsch / 98 %");
  EXPECT_EQ(items[1].id, 21235u);
  EXPECT_EQ(items[1].text, L"Englisch\tEnglish / 100 %");
  EXPECT_EQ(items[2].id, 21237u) << "language 2's name is too short";
  EXPECT_EQ(items[2].text, L"French\tFran\u00E7ais / 87 %");
  EXPECT_TRUE(items[3].separator);
  EXPECT_EQ(items[4].id, 21334u);
  EXPECT_EQ(items[4].text, L"Translate");
  EXPECT_EQ(items[5].id, 21335u);
  EXPECT_EQ(items[5].text, L"Load from File (Unicode)");

  EXPECT_EQ(items[0].state & MFS_CHECKED, 0u);
  EXPECT_NE(items[1].state & MFS_CHECKED, 0u) << "current language checked";
  EXPECT_NE(items[1].state & MFS_DEFAULT, 0u) << "current language bold";
  EXPECT_EQ(items[2].state & (MFS_CHECKED | MFS_DEFAULT), 0u);
  EXPECT_EQ(GetMenuDefaultItem(languages, FALSE, 0), 21235u);

  ASSERT_EQ(SendMessageW(list_, CB_GETCOUNT, 0, 0), 2) << "the list stops before the skipped language";
  EXPECT_EQ(ListText(list_, 0), L"German - Deutsch / 98 %");
  EXPECT_EQ(ListText(list_, 1), L"Englisch - English / 100 %");
  EXPECT_EQ(SendMessageW(list_, CB_GETCURSEL, 0, 0), 1);
}

struct BarHandles {
  std::vector<HMENU> menus;
  std::vector<HBITMAP> bitmaps;
  int Live() const {
    int live = 0;
    for (HMENU menu : menus) live += IsMenu(menu) ? 1 : 0;
    for (HBITMAP bitmap : bitmaps) live += GetObjectType(bitmap) != 0 ? 1 : 0;
    return live;
  }
};

BarHandles HandlesOf(HMENU bar) {
  BarHandles handles;
  if (!bar) return handles;
  handles.menus.push_back(bar);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) handles.menus.push_back(GetSubMenu(bar, i));
  for (UINT id : {40025u, 40027u, 40041u, 40031u}) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoW(bar, id, FALSE, &info);
    handles.bitmaps.push_back(info.hbmpUnchecked);
  }
  return handles;
}

// GetGuiResources counts nothing under Wine, so the menus and bitmaps of each replaced bar
// are checked themselves.
TEST_F(MenuBarInProcess, ThousandRebuildsDestroyEveryReplacedMenuAndBitmap) {
  BuildMenuBar(dialog_);
  const int liveBefore = HandlesOf(GetMenu(dialog_)).Live();
  int replaced = 0;
  for (int round = 0; round < 1000; ++round) {
    const BarHandles old = HandlesOf(GetMenu(dialog_));
    currentLanguage = round % 4;
    BuildMenuBar(dialog_);
    replaced += static_cast<int>(old.menus.size() + old.bitmaps.size());
    ASSERT_EQ(old.Live(), 0) << "round " << round << ": handles of the replaced menu bar still exist";
  }
  const int liveAfter = HandlesOf(GetMenu(dialog_)).Live();
  EXPECT_EQ(liveAfter, liveBefore) << "the menu bar's own menus and bitmaps changed in number";
  std::printf("menu bar: %d live menus and bitmaps before 1000 rebuilds, %d after; %d replaced, none left\n",
              liveBefore, liveAfter, replaced);
}

}  // namespace
