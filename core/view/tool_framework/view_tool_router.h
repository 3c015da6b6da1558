// How one view's mouse events, keys and commands reach the view's own modes and the active tool:
// the dispatcher the view's window calls with client pixels, screen points and command ids.
#pragma once

#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

// It is also what the view paints round: the tools' feedback on this view.
class ViewToolRouter final : private PaintOverlay {
 public:
  ViewToolRouter(ToolFramework& tools, CPlenwickDoc& doc, CPlenwickView& view, ViewHost& host, ToolViewHost& window);
  ~ViewToolRouter() override;
  ViewToolRouter(const ViewToolRouter&) = delete;
  ViewToolRouter& operator=(const ViewToolRouter&) = delete;

  ToolView& toolView() { return toolView_; }
  // The view's window became the active one.
  void Activate() { tools_.SetActiveView(&toolView_); }

  // Mouse events in client pixels with MouseFlags. The second press of a double click is reported
  // as OnLButtonDblClk only.
  void OnLButtonDown(unsigned flags, PixelPoint point);
  void OnLButtonUp(unsigned flags, PixelPoint point);
  void OnLButtonDblClk(unsigned flags, PixelPoint point);
  void OnRButtonDown(unsigned flags, PixelPoint point);
  void OnRButtonUp(unsigned flags, PixelPoint point);
  void OnMouseMove(unsigned flags, PixelPoint point);
  // The context-menu request after a right click, at its screen point.
  void OnContextMenu(PixelPoint screenPoint);

  // A command (menu, key, context menu, tool selection, view command, palette window); false
  // for ids that neither the view, its tool nor the tool framework handle.
  bool OnCommand(int id);
  bool IsCommandEnabled(int id) const;
  bool IsCommandChecked(int id) const;

  // An instruction of the view's own modes in the prompt box (UTF-8).
  void ShowPrompt(std::string_view utf8) { tools_.ShowPrompt(0, utf8); }

  // The numeric input: the tool's preparation, the dialog, then the value as a release at
  // (100, 100), or the tool's cancel.
  void NumericInput();

 private:
  CDrawTool* Tool() const { return tools_.FindTool(); }
  void BeforePaint(Canvas& canvas, const PixelRect& box) override;
  void AfterPaint(Canvas& canvas, const PixelRect& box) override;

  ToolFramework& tools_;
  ToolView toolView_;
};

}  // namespace plenwick
