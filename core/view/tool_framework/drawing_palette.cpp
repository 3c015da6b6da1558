// The palette's choices and its remembered position.
#include "view/tool_framework/drawing_palette.h"

#include <algorithm>
#include <limits>

namespace plenwick {

int CPopEntity::family() const {
  const int f = tools_.state().paletteFamily;
  return f >= 0 && f < kPaletteFamilyCount ? f : 0;
}

int CPopEntity::selectedRow() const { return tools_.state().rememberedMode[static_cast<std::size_t>(family())]; }

std::vector<std::string_view> CPopEntity::modeNames() const {
  std::vector<std::string_view> names;
  for (const ToolModeInfo* m : ModesOfFamily(family())) names.push_back(m->paletteName);
  return names;
}

PixelPoint CPopEntity::position() const { return {tools_.settings().PaletteX, tools_.settings().PaletteY}; }

void CPopEntity::OnMove(PixelPoint topLeft) {
  // The position is kept in 16 bits with the other settings.
  constexpr int lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
  tools_.settings().PaletteX = static_cast<int16_t>(std::clamp(topLeft.x, lo, hi));
  tools_.settings().PaletteY = static_cast<int16_t>(std::clamp(topLeft.y, lo, hi));
}

bool CPopEntity::OnFamilyButton(int f) {
  if (f < 0 || f >= kPaletteFamilyCount) return false;
  tools_.SelectTool(tools_.state().rememberedMode[static_cast<std::size_t>(f)], f);
  return true;
}

bool CPopEntity::OnFamilyControl(int controlId) {
  for (const PaletteFamilyInfo& b : PaletteFamilies()) {
    if (b.controlId == controlId) return OnFamilyButton(b.family);
  }
  return false;
}

bool CPopEntity::OnListSelect(int row) {
  const int f = family();
  if (row < 0 || row >= static_cast<int>(ModesOfFamily(f).size())) return false;
  tools_.SelectTool(row, f);
  return true;
}

}  // namespace plenwick
