// Texts of the language menu items and of the dialog's language list.
#pragma once

#include <string>
#include <vector>

struct LanguageLabel {
  bool inMenu = false;      // names of 5 units or fewer get no item
  bool inList = false;      // inserted at list position == language index
  std::u16string menuText;  // "%s / %d %%"; the tab puts the native name in the accelerator column
  std::u16string listText;  // the same with every tab shown as " - "
};

// Name of the file whose presence in the working directory puts the language index
// in front of every language label ("%d %s / %d %%"), for checking archive order.
constexpr const char* kDeveloperMarkerFile = "BaseMain";

// One label per language, in archive order. The list gets no entry whose position
// would lie beyond its end, so it stops before the first skipped language: list
// position must stay equal to the language index.
std::vector<LanguageLabel> LanguageLabels(const char16_t* const* names, const int* percents, int count,
                                          bool developerMarker);
