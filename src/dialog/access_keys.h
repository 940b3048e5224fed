// Access keys (the letter after "&") of the dialog and the menus: within one dialog or
// one menu, two items with the same key make Alt+key, or the key in an open menu, stop
// at the first and never reach the other.
#pragma once

#include <string>
#include <vector>

// The access key of a label, folded to lower case; 0 when it has none. "&&" is a
// literal ampersand.
char16_t AccessKeyOf(const std::u16string& label);

// The texts that share one access-key space. A text id of 0 stands for the fixed label.
struct AccessKeyGroup {
  const char* name;
  std::vector<int> textIds;
  std::vector<std::u16string> fixedLabels;  // labels that are not translated ("&LNG")
};
const std::vector<AccessKeyGroup>& AccessKeyGroups();

// "group: key 'x' in text 43 and text 44" for each clash, with `textOf` giving a text by id.
std::vector<std::string> FindAccessKeyClashes(std::u16string (*textOf)(int id));
