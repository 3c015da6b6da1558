// The drawing palette without a window: sixteen family buttons and the list of the chosen
// family's modes. Choosing a family restores the mode last chosen in it; choosing a mode makes it
// the active tool mode with its operation bar and first prompt; closing the palette puts the
// parts browser in its place.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "view/canvas.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/tool_framework.h"

namespace plenwick {

class CPopEntity {
 public:
  static constexpr int kDialogId = 130;
  static constexpr std::string_view kCaption = "作図パレット";
  static constexpr int kModeListId = 1030;

  explicit CPopEntity(ToolFramework& tools) : tools_(tools) {}

  // The buttons in family order.
  static std::span<const PaletteFamilyInfo> FamilyButtons() { return PaletteFamilies(); }
  // The family whose button is selected and the selected row of its list.
  int family() const;
  int selectedRow() const;
  // The list: the names of the selected family's modes.
  std::vector<std::string_view> modeNames() const;

  // Where the palette goes when it opens (screen pixels); every move is remembered.
  PixelPoint position() const;
  void OnMove(PixelPoint topLeft);

  // A family button (by family 0..15, or by its control id); false for anything else.
  bool OnFamilyButton(int family);
  bool OnFamilyControl(int controlId);
  // A row of the list chosen.
  bool OnListSelect(int row);
  // The user closed the palette.
  void OnClose() { tools_.ClosePalette(); }

 private:
  ToolFramework& tools_;
};

}  // namespace plenwick
