// CChangeImageDlg, the attribute dialog of pictures ("画像作図属性変更"): the picture's size and
// colour depth (read from its file), its rectangle as two corners or as a corner with width and
// height, and the picture file, chosen anew with "参照画像".
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class ToolUi;

class CChangeImageDlg final : public AttributeDialogModel {
 public:
  static constexpr std::string_view kCaption = "画像作図属性変更";
  static constexpr int kShapeChoice = 0;  // "座標で表示" / "縦横で表示"
  enum Shape : int { kCorners = 0, kSize = 1 };
  enum Field : int { kStartX = 0, kStartY = 1, kEndX = 2, kEndY = 3, kWidth = 4, kHeight = 5, kPath = 6 };

  // `ui` reads the pictures, asks for a file and remembers the folder of the one chosen.
  CChangeImageDlg(const DrawEntity& image, double originX, double originY, ToolUi& ui);
  std::string_view caption() const override { return kCaption; }
  // The corners' second point or the width and height, as the radios show the rectangle.
  bool FieldEnabled(int field) const override;
  void RewriteTexts(int group, int previous, std::vector<std::string>& texts) const override;
  std::vector<std::pair<std::string, std::string>> Facts() const override;
  std::string_view BrowseCaption(int field) const override { return field == kPath ? "参照画像" : ""; }
  std::optional<std::string> Browse(int field) override;
  // A new path must be one a drawing keeps and a picture that loads; the stored one stays as it
  // is even when its file is missing here.
  bool CheckText(int field, std::string_view utf8, UserInterface& ui) const override;
  void Applied() override;

 private:
  RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>& words) const override;
  RecordStrings Strings(const std::vector<std::string>& words) const override;

  ToolUi& ui_;
  std::string storedPath_;  // Shift-JIS, as the element keeps it
  std::string shownPath_;   // UTF-8: the picture the facts are read from
};

}  // namespace plenwick
