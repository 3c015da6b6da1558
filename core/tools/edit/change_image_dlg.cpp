// The picture attribute dialog.
#include "tools/edit/change_image_dlg.h"

#include <algorithm>

#include "platform/sjis.h"
#include "tools/draw/image_tool.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

namespace {

// The path's edit takes more than a drawing keeps, so that a longer path chosen is refused with
// its message instead of cut.
constexpr std::size_t kPathChars = 4 * kMaxImagePathBytes;

std::vector<double> Shown(const DrawEntity& image) {
  std::vector<double> v = GeometryOf(image).values;
  v.resize(4, 0.0);
  return {v[0], v[1], v[2], v[3], v[2] - v[0], v[3] - v[1]};
}

}  // namespace

CChangeImageDlg::CChangeImageDlg(const DrawEntity& image, double originX, double originY, ToolUi& ui)
    : AttributeDialogModel(image, originX, originY,
                           {{"始点Ｘ座標", FieldKind::kX},
                            {"始点Ｙ座標", FieldKind::kY},
                            {"終点Ｘ座標", FieldKind::kX},
                            {"終点Ｙ座標", FieldKind::kY},
                            {"画像幅の値", FieldKind::kLength},
                            {"画像高さの値", FieldKind::kLength},
                            {"画像ファイル", FieldKind::kText, kPathChars}},
                           Shown(image)),
      ui_(ui),
      storedPath_(image.text.view()),
      shownPath_(SjisToUtf8(storedPath_)) {
  SetInitialText(kPath, shownPath_);
  AddChoice({" 作図範囲 ", {"座標で表示", "縦横で表示"}}, kCorners);
}

bool CChangeImageDlg::FieldEnabled(int field) const {
  if (field == kEndX || field == kEndY) return choice(kShapeChoice) == kCorners;
  if (field == kWidth || field == kHeight) return choice(kShapeChoice) == kSize;
  return true;
}

void CChangeImageDlg::RewriteTexts(int group, int previous, std::vector<std::string>& texts) const {
  if (group != kShapeChoice || previous == choice(kShapeChoice) || texts.size() <= static_cast<std::size_t>(kHeight)) {
    return;
  }
  // What cannot be read yet is left for the user to see.
  for (const int axis : {0, 1}) {
    const auto start = static_cast<std::size_t>(kStartX + axis);
    const auto end = static_cast<std::size_t>(kEndX + axis), size = static_cast<std::size_t>(kWidth + axis);
    const std::optional<double> from = PeekAttributeNumber(texts[start]);
    if (choice(kShapeChoice) == kSize) {
      const std::optional<double> to = PeekAttributeNumber(texts[end]);
      if (from && to) texts[size] = AttributeNumberText(*to - *from);
    } else {
      const std::optional<double> length = PeekAttributeNumber(texts[size]);
      if (from && length) texts[end] = AttributeNumberText(*from + *length);
    }
  }
}

std::vector<std::pair<std::string, std::string>> CChangeImageDlg::Facts() const {
  const std::optional<ToolUi::ImageFacts> facts = ui_.ReadImageFacts(shownPath_);
  auto shown = [&](int value) { return facts ? std::to_string(value) : std::string("－"); };
  return {{"画像幅（pixel）", shown(facts ? facts->width : 0)},
          {"画像高さ（pixel）", shown(facts ? facts->height : 0)},
          {"色ビット数", shown(facts ? facts->bits : 0)}};
}

std::optional<std::string> CChangeImageDlg::Browse(int field) {
  if (field != kPath) return std::nullopt;
  std::string path = ui_.AskImageFile();
  if (path.empty()) return std::nullopt;
  shownPath_ = path;
  return path;
}

bool CChangeImageDlg::CheckText(int field, std::string_view utf8, UserInterface& ui) const {
  if (field != kPath || utf8 == initialText(kPath)) return true;
  const std::string path(utf8);
  std::string sjis;
  if (!StorableImagePath(path, &sjis)) {
    ui.ShowMessage(std::string(kImageUnstorableMessage) + path);
    return false;
  }
  if (!ui_.ImageLoads(path)) {
    ui.ShowMessage(std::string(kImageUnreadableMessage) + path);
    return false;
  }
  return true;
}

void CChangeImageDlg::Applied() {
  if (strings().text) ui_.RememberImageFile(SjisToUtf8(*strings().text));
}

RecordGeometry CChangeImageDlg::Build(const std::vector<double>& v, const std::vector<std::string>&) const {
  const bool corners = choice(kShapeChoice) == kCorners;
  const double x2 = corners ? v[kEndX] : v[kStartX] + v[kWidth];
  const double y2 = corners ? v[kEndY] : v[kStartY] + v[kHeight];
  // Kept normalised, as the picture tool places them: the first corner lower left.
  return {kImage,
          record().subKind,
          {std::min(v[kStartX], x2), std::min(v[kStartY], y2), std::max(v[kStartX], x2), std::max(v[kStartY], y2)},
          {10, 20, 11, 22}};
}

RecordStrings CChangeImageDlg::Strings(const std::vector<std::string>& words) const {
  if (words[kPath] == storedPath_) return {};
  return {words[kPath], std::nullopt};
}

}  // namespace plenwick
