// The text bars' face list.
#include "view/tool_framework/font_choices.h"

#include <algorithm>

#include "platform/sjis.h"

namespace plenwick {

std::vector<std::string> FontChoices(const std::vector<std::string>& installed) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    std::string sjis;
    if (names.size() >= kMaxFontChoices || name.empty()) return;
    if (!Utf8ToSjisExact(name, &sjis) || sjis.size() > kMaxFontNameBytes) return;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  auto has = [&installed](const char* family) {
    return std::find(installed.begin(), installed.end(), family) != installed.end();
  };
  if (has("IPAGothic") || has("IPAPGothic")) {
    add("ＭＳゴシック");
    add("ＭＳ Ｐゴシック");
  }
  if (has("IPAMincho") || has("IPAPMincho")) {
    add("ＭＳ明朝");
    add("ＭＳ Ｐ明朝");
  }
  for (const std::string& name : installed) add(name);
  return names;
}

}  // namespace plenwick
