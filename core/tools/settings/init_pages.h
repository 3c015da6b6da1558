// The ten pages of the initial-value settings dialog without windows: each page is a list of
// controls bound to fields of the parameter block, filled from a copy of the block, checked, and
// stored back into it. Only what the user changed is stored, so untouched fields keep every byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameter_block.h"
#include "view/tool_framework/operation_bar.h"

namespace plenwick {

enum class InitControlKind : uint8_t {
  kLabel,       // a page text
  kNumber,      // an edit of a number
  kText,        // an edit of a Shift-JIS text field
  kRadios,      // a radio group: `items` are the buttons, the chosen index is the value
  kCombo,       // `items`, the selected index is the value
  kLineTypes,   // the line types 0..4 drawn as samples
  kFonts,       // the font families of the display
  kColour,      // a button showing a colour, opening the colour chooser
  kBrowse,      // "参　照": a folder chooser for the text edit before it
};

enum class InitFieldType : uint8_t { kNone, kI16, kI32, kF32, kText };

struct InitControl {
  std::string name;  // also the Qt object name
  InitControlKind kind = InitControlKind::kLabel;
  std::string caption;  // label, group caption or button text
  std::string prefix;   // text between the label and the edit ("１／")
  std::string suffix;   // text after the edit ("mm")
  bool unitSuffix = false;  // the suffix is the dialog's size unit ("㎜" or "pt.")
  std::vector<std::string> items;
  // The block field.
  InitFieldType type = InitFieldType::kNone;
  std::size_t offset = 0;
  std::size_t width = 0;  // text fields: bytes including the terminating NUL
  // Numbers: kind and limits; `aboveZero` refuses 0 and below.
  EditBinding number;
  bool aboveZero = false;
  // Texts: longest text taken (Shift-JIS bytes); longer texts are cut at a character boundary
  // when `cut`, refused otherwise.
  std::size_t maxBytes = 0;
  bool cut = false;
  // Enabled only while the radio group `enabledBy` has the value `enabledValue`.
  std::string enabledBy;
  int enabledValue = 0;

  // What the control shows now.
  std::string text;    // edits (UTF-8)
  int choice = -1;     // radio groups, combos: the index chosen, -1 for none
  int32_t colour = 0;  // colour buttons, COLORREF

  // What it showed when filled from the block: a control left as it was stores nothing.
  std::string filledText;
  int filledChoice = -1;
  int32_t filledColour = 0;
};

class CInitPageDlg {
 public:
  virtual ~CInitPageDlg() = default;
  std::vector<InitControl>& controls() { return controls_; }
  const std::vector<InitControl>& controls() const { return controls_; }
  // The index of the control named `name`; -1 when there is none.
  int Find(std::string_view name) const;
  // Whether a control is enabled by the choices of the page's radio groups.
  bool IsEnabled(const InitControl& control) const;

  // Shows the block's values; `fonts` are the families the font combos list (UTF-8).
  void Fill(const ParameterBlock& block, const std::vector<std::string>& fonts);
  // The message refusing the first control whose text is not taken and that control's index;
  // nothing when every control's text is taken.
  std::optional<std::pair<std::string, int>> Check() const;
  // Stores every changed control into the block; Check() must have passed.
  void Store(ParameterBlock& block) const;

 protected:
  InitControl& Add(InitControl control);
  InitControl& AddNumber(std::string name, std::string caption, InitFieldType type, std::size_t offset);
  InitControl& AddRadios(std::string name, std::string caption, std::vector<std::string> items, std::size_t offset);

 private:
  std::vector<InitControl> controls_;
};

// "縮尺": paper mode, paper size, scale, size mode.
class CInitScaleDlg final : public CInitPageDlg {
 public:
  CInitScaleDlg();
};
// "グリッド": pitch, sensitivity, kind, line type.
class CInitGridDlg final : public CInitPageDlg {
 public:
  CInitGridDlg();
};
// "寸法線": dimension text size, extension lines, digits, font, terminator sizing.
class CInitDimDlg final : public CInitPageDlg {
 public:
  CInitDimDlg();
};
// "寸法頭文字": the eight dimension prefixes.
class CInitAtamaMojiDlg final : public CInitPageDlg {
 public:
  CInitAtamaMojiDlg();
};
// "文字列": text height and width.
class CInitTextDlg final : public CInitPageDlg {
 public:
  CInitTextDlg();
};
// "ハッチング ": the two hatching spacings.
class CInitHatDlg final : public CInitPageDlg {
 public:
  CInitHatDlg();
};
// "カラー": the eight display colours.
class CInitColorDlg final : public CInitPageDlg {
 public:
  CInitColorDlg();
};
// "ペン設定": width and colour of the eight pens.
class CInitPenDlg final : public CInitPageDlg {
 public:
  CInitPenDlg();
};
// "太線サイズ": the printed widths of the three thick line types.
class CInitHutosenDlg final : public CInitPageDlg {
 public:
  CInitHutosenDlg();
};
// "部品データ": the parts folder.
class CInitBuhinDlg final : public CInitPageDlg {
 public:
  CInitBuhinDlg();
};

inline constexpr int kInitPageCount = 10;
inline constexpr std::array<std::string_view, kInitPageCount> kInitPageTitles = {
    "縮尺", "グリッド", "寸法線", "寸法頭文字", "文字列", "ハッチング ", "カラー", "ペン設定", "太線サイズ", "部品データ"};
// The page of tab `tab` (0..9), empty.
std::unique_ptr<CInitPageDlg> MakeInitPage(int tab);

// Refusals of the pages' edits.
inline constexpr std::string_view kAboveZeroMessage = "0 より大きい数値を入力してください。";
inline constexpr std::string_view kFolderTooLongMessage = "フォルダ名が長すぎます。半角80文字（全角40文字）までです。";

}  // namespace plenwick
