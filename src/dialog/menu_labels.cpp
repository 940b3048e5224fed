#include "dialog/menu_labels.h"

#include "common/text.h"

namespace {

constexpr size_t kShortestListedName = 6;

std::u16string TabsAsDashes(const std::u16string& s) {
  std::u16string out;
  out.reserve(s.size() + 8);
  for (char16_t c : s) {
    if (c == u'\t')
      out += u" - ";
    else
      out.push_back(c);
  }
  return out;
}

}  // namespace

std::vector<LanguageLabel> LanguageLabels(const char16_t* const* names, const int* percents, int count,
                                          bool developerMarker) {
  std::vector<LanguageLabel> labels(count > 0 ? static_cast<size_t>(count) : 0);
  int listCount = 0;
  for (int i = 0; i < count; ++i) {
    LanguageLabel& label = labels[static_cast<size_t>(i)];
    if (text::Length(names[i]) < kShortestListedName) continue;
    label.inMenu = true;
    if (developerMarker) label.menuText = text::FromInt(i) + u" ";
    label.menuText += names[i];
    label.menuText += u" / " + text::FromInt(percents[i]) + u" %";
    label.listText = TabsAsDashes(label.menuText);
    // Inserting at a position past the end would fail; every later position too.
    if (i == listCount) {
      label.inList = true;
      ++listCount;
    }
  }
  return labels;
}
