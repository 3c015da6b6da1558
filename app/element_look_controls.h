// The controls every attribute dialog shares, over an ElementLook: the line-type combo drawn as
// samples, the pen combo in the pens' colours (choosing a pen takes its colour), the colour
// button that opens the colour dialog, and the preview box that the core draws into.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QPixmap>
#include <cstdint>
#include <functional>
#include <optional>

#include "view/canvas.h"

namespace plenwick {

struct ElementLook;

// A sample of line type `type` as the screen draws it, for combo entries.
QPixmap LineTypeSample(int type);
// A rectangle filled with a colour (COLORREF), for button faces and combo entries.
QPixmap Swatch(int32_t colour, int width, int height);
// The colour chooser opened on `colour`: the colour chosen, nothing when cancelled.
std::optional<int32_t> ChooseColour(int32_t colour, QWidget* parent);

// The line types 0..7 as samples; the element's type is selected (none when outside 0..7).
class LineTypeCombo final : public QComboBox {
  Q_OBJECT
 public:
  LineTypeCombo(ElementLook& look, QWidget* parent);

 signals:
  void lookChanged();
};

// "Ｐｅｎ №１" .. "Ｐｅｎ №８" in their colours.
class PenCombo final : public QComboBox {
  Q_OBJECT
 public:
  PenCombo(ElementLook& look, QWidget* parent);

 signals:
  void lookChanged();
};

// A button whose face is the chosen colour; a click opens the colour dialog.
class ColourButton final : public QPushButton {
  Q_OBJECT
 public:
  ColourButton(ElementLook& look, QWidget* parent);
  // The face shows the look's colour again (after a pen was chosen).
  void ShowColour();

 signals:
  void lookChanged();

 private:
  ElementLook& look_;
};

// " 作図イメージ ": `draw` paints onto the box's canvas, (0, 0) its top-left corner.
class PreviewBox final : public QGroupBox {
 public:
  using Draw = std::function<void(Canvas& canvas, int width, int height)>;
  PreviewBox(Draw draw, QWidget* parent);
  // Paints the preview again from the current values.
  void Refresh();

 private:
  QWidget* area_;
};

}  // namespace plenwick
