// The MDI child window of one drawing: owns the document and its view window, knows the file it
// came from, saves it, edits its drawing information and asks before a modified drawing closes.
#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "model/plenwick_doc.h"

namespace plenwick {

class CViewWidget;
class ToolFramework;
class ViewToolRouter;

class CChildFrame final : public QMdiSubWindow {
  Q_OBJECT
 public:
  // `path` is empty for a drawing never saved. The window's events reach `tools`' active tool.
  CChildFrame(std::unique_ptr<CPlenwickDoc> document, const QString& path, ToolFramework& tools,
              QWidget* parent = nullptr);
  ~CChildFrame() override;

  CPlenwickDoc& document() { return *document_; }
  CViewWidget& viewWidget() { return *view_; }
  ViewToolRouter& router() { return *router_; }
  const QString& path() const { return path_; }
  // The folder of the drawing's file; the current folder while it has none.
  QString Folder() const;
  // The window title: the file's name, or the drawing's file name while it has no file.
  QString Title() const;
  // Shows the modified mark when the drawing has changed since it was saved.
  void RefreshModified();

  // "上書き保存": to the drawing's file, or through "名前を付けて保存" when it has none.
  bool Save();
  // "名前を付けて保存": asks for a file name first.
  bool SaveAs();
  // Writes the drawing to `path`; on success it becomes the drawing's file.
  bool SaveTo(const QString& path);
  // "ＤＸＦ形式で保存": the drawing written as DXF to a file the user chooses.
  void SaveAsDxf();
  void SaveAsJww();
  // The first "上書き保存" asks before it replaces a file already at the drawing's path (a
  // drawing read from DXF takes a path beside it that may name another drawing).
  void ConfirmFirstOverwrite() { confirmOverwrite_ = true; }
  // "図面情報" on this drawing.
  void EditDrawingInfo();
  // Asks whether to save a modified drawing, and saves it when told so: false when the user
  // cancels or the save fails (the drawing must then stay open).
  bool AskToSave();
  // Closes without asking (the question was answered elsewhere).
  void CloseWithoutAsking();

  // The question asked before a modified drawing closes.
  static QString SaveQuestion(const QString& title);

 signals:
  // The drawing was written to `path` (for the recently-used list).
  void saved(const QString& path);
  // The window is closing for good (the question, if any, was answered).
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetPath(const QString& path);

  std::unique_ptr<CPlenwickDoc> document_;
  CViewWidget* view_;
  std::unique_ptr<ViewToolRouter> router_;
  QString path_;
  bool askBeforeClosing_ = true;
  bool confirmOverwrite_ = false;
};

}  // namespace plenwick
