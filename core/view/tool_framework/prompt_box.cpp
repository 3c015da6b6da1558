// The prompt box text and its painting.
#include "view/tool_framework/prompt_box.h"

#include "model/fixed_text.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {
constexpr ColourRef kWhite = MakeColourRef(255, 255, 255);
constexpr ColourRef kBlue = MakeColourRef(0, 0, 255);
constexpr ColourRef kRed = MakeColourRef(255, 0, 0);
}  // namespace

void COperateMsgBox::Set(int kind, std::string_view utf8) {
  kind_ = kind;
  const std::string sjis = Utf8ToSjis(utf8);
  sjis_ = std::string(SjisPrefix(sjis, kMaxBytes));
}

std::string COperateMsgBox::text() const { return SjisToUtf8(sjis_); }

void PaintPromptBox(Canvas& canvas, const PixelRect& client, const COperateMsgBox& box) {
  const PixelRect inside{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
  canvas.SetDrawMode(DrawMode::kCopy);
  canvas.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, kWhite});
  canvas.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, kWhite});
  canvas.Rectangle(inside);
  if (box.sjis().empty()) return;
  FontSpec font;
  font.face = Utf8ToSjis("ＭＳゴシック");
  font.height = 14;
  font.width = 7;
  font.fixedPitch = true;
  canvas.SetBackgroundMode(BackgroundMode::kTransparent);
  canvas.SetTextColour(box.kind() == kPromptInstruction ? kBlue : kRed);
  canvas.Text({client.left + 5, client.top + 4}, box.sjis(), font);
}

}  // namespace plenwick
