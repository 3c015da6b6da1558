// Guards the text bars' face list: the Japanese faces drawings carry come first only where a
// family draws them, and no face a drawing cannot keep (not in CP932, too long) is offered.
#include <gtest/gtest.h>

#include "view/tool_framework/font_choices.h"

namespace plenwick {
namespace {

TEST(FontChoices, JapaneseFacesFirstAndOnlyNamesADrawingKeeps) {
  const std::string longName(48, 'x');
  const std::vector<std::string> installed = {"DejaVu Sans", "IPAGothic", "Emoji 😀", longName, "IPAGothic",
                                              "IPAMincho"};
  EXPECT_EQ(FontChoices(installed), (std::vector<std::string>{"ＭＳゴシック", "ＭＳ Ｐゴシック", "ＭＳ明朝", "ＭＳ Ｐ明朝",
                                                              "DejaVu Sans", "IPAGothic", "IPAMincho"}));
  EXPECT_EQ(FontChoices({"DejaVu Sans"}), (std::vector<std::string>{"DejaVu Sans"})) << "no IPA face, no Japanese face";
  std::vector<std::string> many;
  for (int i = 0; i < 600; ++i) many.push_back("Face " + std::to_string(i));
  EXPECT_EQ(FontChoices(many).size(), kMaxFontChoices);
}

}  // namespace
}  // namespace plenwick
