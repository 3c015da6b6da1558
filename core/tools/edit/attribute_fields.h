// What every attribute-change dialog shares: coordinates shown as trimmed texts, the strict
// reading of a typed number with the messages that name the field, and the look of an element
// (line type, pen, colour).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/draw_entity.h"
#include "model/user_interface.h"

namespace plenwick {

inline constexpr std::string_view kAttributeOk = "実\u3000行";
inline constexpr std::string_view kAttributeCancel = "ｷｬﾝｾﾙ";
inline constexpr std::string_view kAttributePreviewCaption = " 作図イメージ ";
inline constexpr std::string_view kAttributeLineTypeLabel = "線   種";
inline constexpr std::string_view kAttributePenLabel = "ペン番号";
// Each coordinate and size edit holds at most this many characters.
inline constexpr std::size_t kAttributeFieldChars = 14;
inline constexpr int kAttributeLineTypes = 8;  // line types 0..7
inline constexpr int kAttributePens = 8;       // pens 0..7

// A value as the dialogs show it: "%0.2f" without trailing zeros and point (model mm or degrees).
std::string AttributeNumberText(double value);

// The whole typed text of the field called `name` (UTF-8): empty gives "<name>値が入力されていません！",
// anything but digits, "-" and "." or no number at all ("--1", "1-2", ".", "-") gives
// "<name>の入力に誤りがあります！"; nothing is returned after a message.
std::optional<double> ReadAttributeNumber(std::string_view text, std::string_view name, UserInterface& ui);
// The same without messages, for the preview of values still being typed.
std::optional<double> PeekAttributeNumber(std::string_view text);

// An element's line type, pen and colour as the dialogs show and change them.
struct ElementLook {
  int lineType = 0;
  int pen = 0;
  int32_t colour = 0;  // COLORREF 0x00BBGGRR

  static ElementLook Of(const DrawEntity& e);
  // Line type × 100 + pen: an unchanged look gives back the element's own line attribute.
  int16_t lineAttr() const;
  // Choosing a pen (0..7) takes its colour; another number changes nothing.
  void SelectPen(int newPen);
};

}  // namespace plenwick
