// The initial-value settings pages: their controls and how they map to the parameter block.
#include "tools/settings/init_pages.h"

#include <tuple>
#include <utility>
#include <variant>

#include "model/number_text.h"
#include "platform/sjis.h"
#include "tools/draw/text_input.h"

namespace plenwick {

namespace {

using P = ParameterBlock;

InitControl MakeControl(std::string name, InitControlKind kind, std::string caption, InitFieldType type = InitFieldType::kNone,
                        std::size_t offset = 0, std::size_t width = 0) {
  InitControl c;
  c.name = std::move(name);
  c.kind = kind;
  c.caption = std::move(caption);
  c.type = type;
  c.offset = offset;
  c.width = width;
  return c;
}

double NumberOf(const ParameterBlock& block, const InitControl& c) {
  switch (c.type) {
    case InitFieldType::kI16: return block.I16(c.offset);
    case InitFieldType::kI32: return block.I32(c.offset);
    case InitFieldType::kF32: return block.F32(c.offset);
    default: return 0;
  }
}

int ChoiceOf(const ParameterBlock& block, const InitControl& c) {
  const int value = c.type == InitFieldType::kI32 ? block.I32(c.offset) : block.I16(c.offset);
  const int count = c.kind == InitControlKind::kLineTypes ? 5 : static_cast<int>(c.items.size());
  return value >= 0 && value < count ? value : -1;
}

// The selected font: the last family whose name begins with the stored name. A stored face that
// is not installed is listed and selected rather than silently replaced by another.
void FillFonts(InitControl& c, std::string_view stored, const std::vector<std::string>& fonts) {
  c.items = fonts;
  c.choice = -1;
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    if (fonts[i].starts_with(stored)) c.choice = static_cast<int>(i);
  }
  if (c.choice >= 0) return;
  if (!stored.empty()) {
    c.items.emplace_back(stored);
    c.choice = static_cast<int>(c.items.size()) - 1;
  } else if (!c.items.empty()) {
    c.choice = 0;
  }
}

// The Shift-JIS bytes a text edit stores; false with the message refusing its text.
bool TextToStore(const InitControl& c, std::string_view utf8, std::string* sjis, std::string* message) {
  if (const auto refused = TextForDrawing(utf8, sjis)) {
    *message = UnkeepableCharacterMessage(*refused);
    return false;
  }
  if (sjis->size() <= c.maxBytes) return true;
  if (!c.cut) {
    *message = kFolderTooLongMessage;
    return false;
  }
  sjis->resize(SjisPrefixLength(*sjis, c.maxBytes));
  return true;
}

}  // namespace

int CInitPageDlg::Find(std::string_view name) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

bool CInitPageDlg::IsEnabled(const InitControl& control) const {
  if (control.enabledBy.empty()) return true;
  const int group = Find(control.enabledBy);
  return group >= 0 && controls_[static_cast<std::size_t>(group)].choice == control.enabledValue;
}

InitControl& CInitPageDlg::Add(InitControl control) {
  controls_.push_back(std::move(control));
  return controls_.back();
}

InitControl& CInitPageDlg::AddNumber(std::string name, std::string caption, InitFieldType type, std::size_t offset) {
  InitControl c = MakeControl(std::move(name), InitControlKind::kNumber, std::move(caption), type, offset);
  c.number.number = type == InitFieldType::kF32 ? EditBinding::Number::kFloat : EditBinding::Number::kInt;
  return Add(std::move(c));
}

InitControl& CInitPageDlg::AddRadios(std::string name, std::string caption, std::vector<std::string> items,
                                     std::size_t offset) {
  InitControl c = MakeControl(std::move(name), InitControlKind::kRadios, std::move(caption), InitFieldType::kI16, offset);
  c.items = std::move(items);
  return Add(std::move(c));
}

void CInitPageDlg::Fill(const ParameterBlock& block, const std::vector<std::string>& fonts) {
  for (InitControl& c : controls_) {
    switch (c.kind) {
      case InitControlKind::kNumber:
        c.text = FormatNumberText(NumberOf(block, c), c.number.number == EditBinding::Number::kInt ? 0 : 6);
        break;
      case InitControlKind::kText: c.text = SjisToUtf8(block.Text(c.offset, c.width)); break;
      case InitControlKind::kRadios:
      case InitControlKind::kCombo:
      case InitControlKind::kLineTypes: c.choice = ChoiceOf(block, c); break;
      case InitControlKind::kFonts: FillFonts(c, SjisToUtf8(block.Text(c.offset, c.width)), fonts); break;
      case InitControlKind::kColour: c.colour = block.I32(c.offset); break;
      default: break;
    }
    c.filledText = c.text;
    c.filledChoice = c.choice;
    c.filledColour = c.colour;
  }
}

std::optional<std::pair<std::string, int>> CInitPageDlg::Check() const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const InitControl& c = controls_[i];
    std::string message;
    if (c.kind == InitControlKind::kNumber) {
      const auto value = ReadEditText(c.number, c.text);
      if (const std::string* refused = std::get_if<std::string>(&value)) {
        message = *refused;
      } else if (c.aboveZero && !(std::get<double>(value) > 0)) {
        message = kAboveZeroMessage;
      }
    } else if (c.kind == InitControlKind::kText) {
      std::string sjis;
      TextToStore(c, c.text, &sjis, &message);
    }
    if (!message.empty()) return std::pair{message, static_cast<int>(i)};
  }
  return std::nullopt;
}

void CInitPageDlg::Store(ParameterBlock& block) const {
  for (const InitControl& c : controls_) {
    switch (c.kind) {
      case InitControlKind::kNumber: {
        if (c.text == c.filledText) break;
        const auto read = ReadEditText(c.number, c.text);
        const double* value = std::get_if<double>(&read);
        if (!value) break;
        if (c.type == InitFieldType::kF32) block.SetF32(c.offset, static_cast<float>(*value));
        if (c.type == InitFieldType::kI16) block.SetI16(c.offset, static_cast<int16_t>(*value));
        if (c.type == InitFieldType::kI32) block.SetI32(c.offset, static_cast<int32_t>(*value));
        break;
      }
      case InitControlKind::kText:
        if (c.text != c.filledText) {
          std::string sjis, message;
          if (TextToStore(c, c.text, &sjis, &message)) block.SetText(c.offset, c.width, sjis);
        }
        break;
      case InitControlKind::kRadios:
      case InitControlKind::kCombo:
      case InitControlKind::kLineTypes:
        if (c.choice != c.filledChoice && c.choice >= 0) {
          if (c.type == InitFieldType::kI32) block.SetI32(c.offset, c.choice);
          else block.SetI16(c.offset, static_cast<int16_t>(c.choice));
        }
        break;
      case InitControlKind::kFonts:
        if (c.choice != c.filledChoice && c.choice >= 0) {
          std::string sjis;
          // The list holds only names that fit the field (or the stored one).
          if (Utf8ToSjisExact(c.items[static_cast<std::size_t>(c.choice)], &sjis) && sjis.size() < c.width) {
            block.SetText(c.offset, c.width, sjis);
          }
        }
        break;
      case InitControlKind::kColour:
        if (c.colour != c.filledColour) block.SetI32(c.offset, c.colour);
        break;
      default: break;
    }
  }
}

namespace {

InitControl Label(std::string text) { return MakeControl("", InitControlKind::kLabel, std::move(text)); }

InitControl ColourButton(std::string name, std::string caption, std::size_t offset) {
  return MakeControl(std::move(name), InitControlKind::kColour, std::move(caption), InitFieldType::kI32, offset);
}

void Limit(InitControl& c, std::optional<double> min, std::optional<double> max) {
  c.number.min = min;
  c.number.max = max;
}

}  // namespace

CInitScaleDlg::CInitScaleDlg() {
  AddRadios("paperMode", " 用紙 ", {"用紙サイズを指定", "現在のプリンター用紙"}, P::kNewPaperMode);
  InitControl size = MakeControl("paperSize", InitControlKind::kCombo, "用紙サイズ", InitFieldType::kI32, P::kDefaultPaperSize);
  size.items = {" A０", " Ａ１", " Ａ２ ", " Ａ３", " Ａ４", " Ａ５", " Ａ６"};
  size.enabledBy = "paperMode";
  size.enabledValue = 0;
  Add(std::move(size));
  InitControl& scale = AddNumber("scale", "図面縮尺", InitFieldType::kI32, P::kDefaultScale);
  scale.prefix = "１／";
  Limit(scale, 1, 100000);
  AddRadios("sizeMode", " 文字・寸法線の作図単位 ", {" ㎜ 実値によるサイズ ", " pt 縮尺に連動したポイント"}, P::kTextSizeMode);
}

CInitGridDlg::CInitGridDlg() {
  InitControl& pitch = AddNumber("pitch", "ピッチ", InitFieldType::kF32, P::kGridPitch);
  pitch.suffix = "mm";
  pitch.aboveZero = true;
  InitControl& sensitivity = AddNumber("sensitivity", "感度調整", InitFieldType::kI16, P::kGridSensitivity);
  sensitivity.prefix = "１ ／";
  Limit(sensitivity, 1, 5);
  AddRadios("gridKind", "", {"線グリッド", "点グリッド", "クロスグリッド"}, P::kGridKind);
  InitControl type = MakeControl("gridLineType", InitControlKind::kLineTypes, "線属性", InitFieldType::kI16, P::kGridLineType);
  type.enabledBy = "gridKind";
  type.enabledValue = 0;
  Add(std::move(type));
}

CInitDimDlg::CInitDimDlg() {
  InitControl& size = AddNumber("dimTextSize", "寸法文字サイズ", InitFieldType::kF32, P::kDimTextSize);
  size.unitSuffix = true;
  size.aboveZero = true;
  AddNumber("extUpper", "上引出し線長さ", InitFieldType::kF32, P::kDimExtUpper).unitSuffix = true;
  AddNumber("extLower", "下引出し線長さ", InitFieldType::kF32, P::kDimExtLower).unitSuffix = true;
  Limit(AddNumber("decimals", "少数点部桁数", InitFieldType::kI16, P::kDimDecimals), 0, 4);
  Add(MakeControl("dimFont", InitControlKind::kFonts, "寸法文字フォント", InitFieldType::kText, P::kDimFont, P::kFontWidth));
  AddRadios("arrowSizeMode", "矢頭サイズ", {"旧タイプ", "縮尺連動"}, P::kDimArrowSizeMode);
}

CInitAtamaMojiDlg::CInitAtamaMojiDlg() {
  static constexpr std::array<std::string_view, P::kDimPrefixCount> kCaptions = {
      " 距離寸法 頭文字", " 水平寸法 頭文字", " 垂直寸法 頭文字", " 周長寸法 頭文字",
      " 半径寸法 頭文字", " 直径寸法 頭文字", " 角度寸法 頭文字", " 面積寸法 頭文字"};
  for (std::size_t slot = 0; slot < kCaptions.size(); ++slot) {
    InitControl c = MakeControl("prefix" + std::to_string(slot + 1), InitControlKind::kText, std::string(kCaptions[slot]),
                                InitFieldType::kText, P::kDimPrefix + P::kDimPrefixWidth * slot, P::kDimPrefixWidth);
    c.maxBytes = P::kDimPrefixWidth - 1;
    c.cut = true;
    Add(std::move(c));
  }
  Add(Label("全角２文字（半角４文字）までです。"));
}

CInitTextDlg::CInitTextDlg() {
  for (const auto& [name, caption, offset] : {std::tuple{"textHeight", "文字高さ", P::kTextHeight},
                                              std::tuple{"textWidth", "文字幅", P::kTextWidth}}) {
    InitControl& c = AddNumber(name, caption, InitFieldType::kF32, offset);
    c.unitSuffix = true;
    c.aboveZero = true;
  }
}

CInitHatDlg::CInitHatDlg() {
  for (const auto& [name, caption, offset] : {std::tuple{"hatchY", "縦間隔", P::kHatchSpacingY},
                                              std::tuple{"hatchX", "横間隔", P::kHatchSpacingX}}) {
    InitControl& c = AddNumber(name, caption, InitFieldType::kF32, offset);
    c.unitSuffix = true;
    c.aboveZero = true;  // a spacing of 0 never ends filling
  }
}

CInitColorDlg::CInitColorDlg() {
  // Button n is display colour n whatever the order of the labels on the page.
  static constexpr std::array<std::string_view, P::kDisplayColourCount> kLabels = {
      " 背景色 ", " グリッド ", "ハイライト", " 指示線 ", " 強調色 ", "拡大範囲線", "レイヤーオフ", " 出力範囲線 "};
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    Add(ColourButton("colour" + std::to_string(i + 1), std::string(kLabels[i]), P::kDisplayColours + 4 * i));
  }
}

CInitPenDlg::CInitPenDlg() {
  static constexpr std::array<std::string_view, P::kPenCount> kDigits = {"１", "２", "３", "４", "５", "６", "７", "８"};
  for (std::size_t i = 0; i < kDigits.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    InitControl& width = AddNumber("penWidth" + n, "Ｐｅｎ №" + std::string(kDigits[i]), InitFieldType::kF32, P::kPenWidths + 4 * i);
    width.suffix = "mm";
    Limit(width, 0, 99);
    Add(ColourButton("penColour" + n, "", P::kPenColours + 4 * i));
  }
}

CInitHutosenDlg::CInitHutosenDlg() {
  static constexpr std::array<std::string_view, P::kThickLineCount> kCaptions = {"太 線", "中 太 線", "極 太 線"};
  for (std::size_t i = 0; i < kCaptions.size(); ++i) {
    InitControl& width = AddNumber("thick" + std::to_string(i + 1), std::string(kCaptions[i]), InitFieldType::kF32,
                                   P::kThickLineWidths + 4 * i);
    width.suffix = "mm";
    Limit(width, 0, 99);
  }
  Add(Label("線種の６番目から８番目（太線）を印刷する幅です。ペンの太さとは別に設定します。"));
}

CInitBuhinDlg::CInitBuhinDlg() {
  InitControl folder = MakeControl("partsFolder", InitControlKind::kText, " 部品データフォルダ ", InitFieldType::kText,
                                   P::kPartsFolder, P::kPartsFolderWidth);
  folder.maxBytes = 80;
  Add(std::move(folder));
  Add(MakeControl("browse", InitControlKind::kBrowse, "参　照"));
}

std::unique_ptr<CInitPageDlg> MakeInitPage(int tab) {
  switch (tab) {
    case 1: return std::make_unique<CInitGridDlg>();
    case 2: return std::make_unique<CInitDimDlg>();
    case 3: return std::make_unique<CInitAtamaMojiDlg>();
    case 4: return std::make_unique<CInitTextDlg>();
    case 5: return std::make_unique<CInitHatDlg>();
    case 6: return std::make_unique<CInitColorDlg>();
    case 7: return std::make_unique<CInitPenDlg>();
    case 8: return std::make_unique<CInitHutosenDlg>();
    case 9: return std::make_unique<CInitBuhinDlg>();
    default: return std::make_unique<CInitScaleDlg>();
  }
}

}  // namespace plenwick
