// The drawing window: its title, saving, drawing information, undo and the close question.
#include "child_frame.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "drawing_info_dlg.h"
#include "exchange/dxf_document.h"
#include "exchange/jww_document.h"
#include "file_dialogs.h"
#include "model/document_file.h"
#include "model/drawing_info.h"
#include "platform/sjis.h"
#include "qt_user_interface.h"
#include "view/pick.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"
#include "output_commands.h"
#include "view_widget.h"

namespace plenwick {

CChildFrame::CChildFrame(std::unique_ptr<CPlenwickDoc> document, const QString& path, ToolFramework& tools, QWidget* parent)
    : QMdiSubWindow(parent),
      document_(std::move(document)),
      view_(new CViewWidget(ViewDocumentOf(*document_), this)),
      router_(std::make_unique<ViewToolRouter>(tools, *document_, view_->view(), *view_, *view_)) {
  setAttribute(Qt::WA_DeleteOnClose);
  view_->SetRouter(router_.get());
  connect(view_, &CViewWidget::regionCaptured, this,
          [this](const QImage& picture) { SaveRegionPicture(this, picture, document_->ui(), Folder()); });
  setWidget(view_);
  SetPath(path);
  // Filing a large drawing for picking takes a moment: spent once the window is up, not on
  // the first click.
  QTimer::singleShot(0, this, [this] { PreparePicking(document_->entities, document_->snapPoints); });
}

CChildFrame::~CChildFrame() {
  // The router refers to the view, the view to the document: they go first.
  router_.reset();
  delete view_;
  document_.reset();
}

QString CChildFrame::Title() const {
  if (!path_.isEmpty()) return QFileInfo(path_).fileName();
  return QString::fromStdString(SjisToUtf8(document_->fileName.view()));
}

void CChildFrame::SetPath(const QString& path) {
  path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  RefreshModified();
}

void CChildFrame::RefreshModified() {
  // A changed drawing shows "*" after its name.
  const QString title = document_->IsModified() ? Title() + " *" : Title();
  if (windowTitle() != title) setWindowTitle(title);
}

QString CChildFrame::SaveQuestion(const QString& title) { return QString::fromUtf8("%1 への変更を保存しますか?").arg(title); }

bool CChildFrame::Save() {
  if (path_.isEmpty()) return SaveAs();
  if (confirmOverwrite_ && QFileInfo::exists(path_)) {
    const QString question = QString::fromUtf8("%1 は既に存在します。\n上書きしますか?").arg(path_);
    if (QMessageBox::question(this, QString::fromUtf8(kProgramTitle), question) != QMessageBox::Yes) return SaveAs();
  }
  return SaveTo(path_);
}

QString CChildFrame::Folder() const { return path_.isEmpty() ? QDir::currentPath() : QFileInfo(path_).absolutePath(); }

void CChildFrame::SaveAsDxf() {
  const QString chosen = AskDxfToSave(this, Folder());
  if (chosen.isEmpty()) return;
  // The document tells the user itself when the file cannot be written.
  SaveDocumentAsDxf(*document_, chosen.toStdString());
  RefreshModified();
}

void CChildFrame::SaveAsJww() {
  const QString chosen = AskJwwToSave(this, Folder());
  if (chosen.isEmpty()) return;
  // The document tells the user itself when the file cannot be written.
  JwwWriteReport report;
  if (SaveDocumentAsJww(*document_, chosen.toStdString(), false, nullptr, &report) == 0 && report.dropped > 0) {
    document_->ui().ShowMessage(std::to_string(report.dropped) + " 個の要素（塗りつぶし、イメージ）は JWW 形式にないため書き込みませんでした。");
  }
  RefreshModified();
}

bool CChildFrame::SaveAs() {
  const QString folder = Folder();
  QString name = path_.isEmpty() ? Title() : QFileInfo(path_).fileName();
  if (QFileInfo(name).suffix().isEmpty()) name += ".pwk";
  const QString chosen = AskDrawingToSave(this, folder + "/" + name);
  if (chosen.isEmpty()) return false;
  return SaveTo(chosen);
}

bool CChildFrame::SaveTo(const QString& path) {
  // The document tells the user itself when the file cannot be written.
  if (SaveDocumentFile(*document_, path.toStdString()) != 0) return false;
  confirmOverwrite_ = false;
  SetPath(path);
  emit saved(path_);
  return true;
}

void CChildFrame::EditDrawingInfo() {
  CPlenwickDoc& doc = *document_;
  const std::string fileName = Utf8ToSjis(Title().toStdString());
  CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kExistingDrawing, DrawingInfoForExistingDrawing(doc.header, fileName), doc.ui(),
                         this, doc.protection, std::string(doc.header.password()));
  if (dialog.exec() != QDialog::Accepted) return;
  const DrawingHeader before = doc.header;
  const bool remap = ApplyDrawingInfo(doc, dialog.values());
  if (!(doc.header.bytes == before.bytes)) doc.SetModifiedFlag();
  if (remap) view_->Remap();
  RefreshModified();
}

void CChildFrame::CloseWithoutAsking() {
  askBeforeClosing_ = false;
  close();
}

bool CChildFrame::AskToSave() {
  if (!document_->IsModified()) return true;
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kProgramTitle), SaveQuestion(Title()), QMessageBox::NoButton, this);
  QPushButton* yes = box.addButton(QString::fromUtf8("はい(&Y)"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QString::fromUtf8("いいえ(&N)"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return Save();
  return box.clickedButton() == no;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (askBeforeClosing_ && !AskToSave()) {
    event->ignore();
    return;
  }
  emit closing();
  QMdiSubWindow::closeEvent(event);
}

}  // namespace plenwick
