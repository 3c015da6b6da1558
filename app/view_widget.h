// The window of one drawing's view: hosts CPlenwickView on an image back-buffer (so that
// exclusive-or feedback is real), turns Qt's mouse, scroll-bar and paint events into the view's
// calls, and reports cursor coordinates for the status bar.
#pragma once

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QRegion>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "view/plenwick_view.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

class QtImageCanvas;
class ViewToolRouter;

class CViewWidget final : public QAbstractScrollArea, public ViewHost, public ToolViewHost {
  Q_OBJECT
 public:
  CViewWidget(ViewDocument document, QWidget* parent = nullptr);
  ~CViewWidget() override;

  CPlenwickView& view() { return view_; }
  // Where mouse events and commands go: the view's modes and the active tool. Without a router
  // (a window showing a drawing only) they reach the view alone.
  void SetRouter(ViewToolRouter* router) { router_ = router; }
  bool initialized() const { return initialized_; }
  // The first show: the view's initial update fitted to the window's present size.
  void InitialUpdate();
  // The mapping again after the drawing's scale or paper changed.
  void Remap();
  // Runs a command through the router (or the view alone); false when nothing handles it.
  bool RunCommand(int id);
  // The cursor the view's mode asks for (the open hand only during a hand move).
  void FollowViewMode();
  // Repaints the whole client at the next paint.
  void InvalidateAll() { Invalidate(nullptr); }
  // The back-buffer with what is invalid painted (tests and screenshots).
  QImage Picture();

  // ViewHost.
  void DrawOnClient(const std::function<void(Canvas&)>& draw) override;
  void Invalidate(const PixelRect* rect) override;
  void SetStatusText(int pane, std::string_view text) override;
  void SetScrollSizes(int width, int height) override;
  void SetCursorShape(int resource) override;
  std::optional<PaperSize> PrinterPaper() const override;
  bool PaintWholeLater() override;
  void ShowPrompt(std::string_view text) override;
  void SaveRegionImage(const PixelRect& rect) override;

  // ToolViewHost: the text tool's inline edit box.
  void ShowTextBox(ModelPoint at) override;
  std::string TextBoxText() override;
  void HideTextBox() override;
  // The box while it is shown (tests type into it); null otherwise.
  QLineEdit* textBox() const;

 signals:
  // A status-bar pane's new text.
  void statusText(int pane, const QString& text);
  // The image save copied a region of the picture, 1:1.
  void regionCaptured(const QImage& picture);
  // The first show finished (the drawing is on screen).
  void initialUpdateDone();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  Canvas& Buffer();
  // Paints what is invalid on the back-buffer.
  void PaintDirty();
  // A debug message when the drawing pass just made (the count was `before`) was a whole render.
  void LogWholeRender(int before) const;
  void UpdateScrollBars();
  // Puts the box with its lower-left corner on its point under the present mapping, inside the
  // client.
  void PlaceTextBox();

  CPlenwickView view_;
  ViewToolRouter* router_ = nullptr;
  std::unique_ptr<QtImageCanvas> buffer_;
  QRegion dirty_;
  bool initialized_ = false;
  bool settingBars_ = false;  // scroll-bar changes made here do not move the picture
  int extentWidth_ = 0;
  int extentHeight_ = 0;
  QLineEdit* textBox_ = nullptr;        // created on first use, a child of the viewport
  std::optional<ModelPoint> textBoxAt_;  // where the shown box stands (model mm)
};

}  // namespace plenwick
