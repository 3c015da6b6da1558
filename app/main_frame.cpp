// The main frame: bars, menus, status panes, drawings, the layer list and command routing.
#include "main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include "autosave_timer.h"
#include "bitmap_client.h"
#include "child_frame.h"
#include "command_actions.h"
#include "drawing_info_dlg.h"
#include "exchange/dxf_document.h"
#include "exchange/dxf_placement.h"
#include "exchange/jwc_document.h"
#include "exchange/jww_document.h"
#include "file_dialogs.h"
#include "frame_boxes.h"
#include "initial_settings_command.h"
#include "menu_layout.h"
#include "model/autosave_recovery.h"
#include "model/document_file.h"
#include "model/drawing_info.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "operation_bar_widget.h"
#include "output_commands.h"
#include "palette_window.h"
#include "parts_browser_window.h"
#include "plotter_commands.h"
#include "pop_layer.h"
#include "recovery_dlg.h"
#include "shell_command_ids.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/command_table.h"
#include "tools/standard_tools.h"
#include "view/tool_framework/view_tool_router.h"
#include "view_widget.h"

namespace plenwick {

namespace {

QString Tr(const char* utf8) { return QString::fromUtf8(utf8); }

// Frame commands that act on the active drawing.
bool IsDrawingCommand(int id) {
  switch (id) {
    case kCmdFileClose:
    case kCmdFileSave:
    case kCmdFileSaveAs:
    case kCmdSaveDxf:
    case kCmdSaveJww:
    case kCmdSaveHpgl:
    case kCmdSaveEmf:
    case kCmdSaveImage:
    case kCmdCopyToClipboard:
    case kCmdPrint:
    case kCmdPrintPreview:
    case kCmdPrintSetup:
    case kCmdPlotterOutput:
    case kCmdPlotterSettings:
    case kCmdDrawingInfo:
    case kCmdEntityList:
    case kCmdToleranceSettings: return true;
    default: return false;
  }
}

// The width of `letters` letters "W" in the frame's font.
int LettersWide(const QWidget* w, int letters) { return w->fontMetrics().horizontalAdvance(QString(letters, 'W')); }

}  // namespace

CMainFrame::CMainFrame(InstalledFolders folders, UserInterface* ui, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)), recent_(QString::fromStdString(folders_.program)) {
  if (ui) {
    ui_ = ui;
  } else {
    ownUi_ = std::make_unique<QtUserInterface>(this);
    ui_ = ownUi_.get();
  }
  toolUi_ = std::make_unique<QtToolUi>(*ui_, this);
  toolUi_->SetProgramFolder(QString::fromStdString(folders_.program));
  tools_ = std::make_unique<ToolFramework>(*toolUi_);
  RegisterStandardTools(*tools_);
  tools_->SetPartsBrowserAvailable(true);
  toolUi_->SetPartRegistered([this](const std::string&) {
    if (partsBrowser_ && partsBrowser_->isVisible()) partsBrowser_->Reload();
  });
  setWindowTitle(kProgramTitle);
  setAcceptDrops(true);
  client_ = new CBitmapClient(this);
  client_->setObjectName("mdiClient");
  setCentralWidget(client_);
  connect(client_, &QMdiArea::subWindowActivated, this, &CMainFrame::ChildActivated);

  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateStatusBar();
  toolUi_->SetWindows({[this] { promptBox_->repaint(); }, [this](OperationBar* bar) { ShowOperationBar(bar); },
                       [this] { operationBar_->TakeFocus(); },
                       [this] {
                         if (palette_) palette_->Refresh();
                         // A tool chosen on the palette ends a hand move as a menu choice does.
                         if (CChildFrame* child = ActiveChild()) child->viewWidget().FollowViewMode();
                         commands_->UpdateStates();
                       },
                       [this](PaletteWindow shown) { ShowPaletteWindow(shown); }});
  commands_->UpdateStates();
  if (!folders_.autosave.empty()) {
    autosave_ = new CAutosaveTimer(
        folders_.autosave, CAutosaveTimer::IntervalFromIni(QString::fromStdString(folders_.program)),
        [this] {
          std::vector<DrawingInWindow> open;
          for (CChildFrame* child : Children()) {
            open.push_back({&child->document(), child->path().toStdString(), child->Title().toStdString()});
          }
          return open;
        },
        tools_->state(), this);
    // Told once in the status bar, not in a box every interval: the drawing goes on.
    connect(autosave_, &CAutosaveTimer::failed, this, [this](const QString& message) { statusBar()->showMessage(message, 30000); });
  }
}

CMainFrame::~CMainFrame() {
  // Drawings (also those closed and waiting to be deleted) go before the frame's own values.
  shuttingDown_ = true;
  toolUi_->Detach();
  delete client_;
  delete layerList_;
  tools_.reset();
}

void CMainFrame::CreateActions() {
  // Windows going with the frame still send signals: nothing is asked of a frame being destroyed.
  commands_ = new CommandActions(this, {[this](int id) {
                                          if (!shuttingDown_) OnCommand(id);
                                        },
                                        [this](int id) { return !shuttingDown_ && IsCommandEnabled(id); },
                                        [this](int id) { return !shuttingDown_ && IsCommandChecked(id); }});
  for (int id : CheckableCommands()) commands_->SetCheckable(id);
  for (const KeyBinding& key : KeyBindings()) commands_->AddKey(key.key, key.command);
}

void CMainFrame::CreateMenus() {
  for (const MenuSpec& spec : MainMenus()) {
    QMenu* menu = menuBar()->addMenu(Tr(spec.title));
    connect(menu, &QMenu::aboutToShow, commands_, &CommandActions::UpdateStates);
    for (const MenuItem& item : spec.items) {
      switch (item.kind) {
        case MenuItem::kCommand: menu->addAction(commands_->Action(item.command)); break;
        case MenuItem::kSeparator: menu->addSeparator(); break;
        case MenuItem::kSubmenu: {
          QMenu* sub = menu->addMenu(Tr(item.title));
          for (int id : item.submenu) {
            if (id == 0) {
              sub->addSeparator();
            } else {
              sub->addAction(commands_->Action(id));
            }
          }
          break;
        }
        case MenuItem::kRecentFiles:
          recentMenu_ = menu;
          for (int i = 0; i < kRecentFileCount; ++i) menu->addAction(commands_->Action(kCmdRecentFile1 + i));
          break;
        case MenuItem::kWindowList:
          windowMenu_ = menu;
          connect(menu, &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
          break;
      }
    }
  }
  RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* action = commands_->Action(kCmdRecentFile1 + i);
    const bool used = i < recent_.files().size();
    action->setVisible(used || i == 0);
    action->setText(used ? recent_.MenuText(i) : Tr("最近使ったファイル"));
    action->setStatusTip(used ? recent_.files()[i] : QString());
  }
  commands_->UpdateStates();
}

void CMainFrame::FillWindowMenu() {
  for (QAction* a : windowListActions_) {
    windowMenu_->removeAction(a);
    delete a;
  }
  windowListActions_.clear();
  const QList<CChildFrame*> children = Children();
  if (!children.isEmpty()) windowListActions_.append(windowMenu_->addSeparator());
  int n = 1;
  for (CChildFrame* child : children) {
    QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(n++).arg(child->Title()));
    a->setCheckable(true);
    a->setChecked(child == ActiveChild());
    connect(a, &QAction::triggered, this, [this, child = QPointer<CChildFrame>(child)] {
      if (child) client_->setActiveSubWindow(child);
    });
    windowListActions_.append(a);
  }
}

void CMainFrame::CreateToolBars() {
  struct BarSpec {
    const char* name;
    const char* title;
    Qt::ToolBarArea area;
    std::vector<int> buttons;  // 0 separator, -1 the embedded box
  };
  const BarSpec specs[5] = {
      {"fileBar", "ファイル処理", Qt::TopToolBarArea, {57600, 57601, 57603, 57607, 0, 32870, 32871, 0, 32890}},
      {"displayBar", "表示処理", Qt::TopToolBarArea,
       {57643, 0, 32873, 32874, 32875, 32880, 32881, 32882, 32896, 32897, 0, 32877, 32878, 32879, 32898}},
      {"gridToolBar", "グリッド", Qt::TopToolBarArea, {32876, -1, 32889}},
      {"messageBar", "メッセージ", Qt::BottomToolBarArea, {32891, -1, 32892}},
      {"infoBar", "情報", Qt::BottomToolBarArea, {32894, -1, 32895}},
  };
  sizeBox_ = new CSizeInfoDlg(this);
  sizeBox_->setFixedWidth(LettersWide(this, 28));
  promptBox_ = new PromptBoxWidget(tools_->promptBox(), this);
  promptBox_->setFixedWidth(LettersWide(this, 40));
  gridBar_ = new CGrigBarDlg(this);
  gridBar_->setFixedWidth(LettersWide(this, 8));
  gridBar_->SetPitch(CurrentSettings().GridPitch);
  QWidget* boxes[5] = {nullptr, nullptr, gridBar_, promptBox_, sizeBox_};
  for (int i = 0; i < 5; ++i) {
    const BarSpec& spec = specs[i];
    auto* bar = new QToolBar(Tr(spec.title), this);
    bar->setObjectName(spec.name);
    bar->setIconSize(QSize(16, 15));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : spec.buttons) {
      if (id == 0) {
        bar->addSeparator();
      } else if (id < 0) {
        boxes[i]->setFixedHeight(22);
        bar->addWidget(boxes[i]);
      } else {
        bar->addAction(commands_->Action(id));
      }
    }
    addToolBar(spec.area, bar);
    toolBars_[static_cast<std::size_t>(i)] = bar;
  }
  // Index order of toolBar(): file, display, grid, message, information.

  // The operation bar of the active tool mode, on a row of its own.
  addToolBarBreak(Qt::TopToolBarArea);
  operationBarArea_ = new QToolBar(this);
  operationBarArea_->setObjectName("operationBarArea");
  operationBar_ = new OperationBarWidget(operationBarArea_);
  operationBarArea_->addWidget(operationBar_);
  addToolBar(Qt::TopToolBarArea, operationBarArea_);
  operationBarArea_->hide();
}

void CMainFrame::ShowOperationBar(OperationBar* bar) {
  operationBar_->Show(bar);
  operationBarArea_->setWindowTitle(bar ? FromUtf8(bar->caption()).trimmed() : QString());
  operationBarArea_->setVisible(bar != nullptr);
}

void CMainFrame::ShowPaletteWindow(PaletteWindow shown) {
  if (shown == PaletteWindow::kPalette) {
    if (partsBrowser_) partsBrowser_->HideQuietly();
    if (!palette_) palette_ = new DrawingPaletteWindow(*tools_, this);
    palette_->Refresh();
    palette_->show();
  } else if (shown == PaletteWindow::kPartsBrowser) {
    if (palette_) palette_->HideQuietly();
    if (!partsBrowser_) {
      partsBrowser_ = new CPopInportDlg(CurrentSettings(), [this] { OnCommand(kCmdDrawingPalette); }, this);
      // It takes the palette's place until the user moves it.
      if (palette_) partsBrowser_->move(palette_->pos());
    }
    partsBrowser_->show();
  } else if (shown == PaletteWindow::kClosed) {
    if (palette_) palette_->HideQuietly();
    if (partsBrowser_) partsBrowser_->HideQuietly();
  }
  commands_->UpdateStates();
}

void CMainFrame::CreateStatusBar() {
  const char* initial[kStatusPanes] = {"レディ", "X:          0", "Y:          0", "カナ", "CAP", "NUM", "SCRL"};
  for (int i = 0; i < kStatusPanes; ++i) {
    auto* pane = new QLabel(Tr(initial[i]), this);
    pane->setObjectName(QString("statusPane%1").arg(i));
    if (i == 0) {
      statusBar()->addWidget(pane, 1);
    } else {
      pane->setFrameShape(QFrame::Panel);
      pane->setFrameShadow(QFrame::Sunken);
      pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(i <= 2 ? "X:          0000" : "SCRL") + 8);
      // Lock-key states are not tracked: their panes stay greyed like unlit indicators.
      if (i >= 3) pane->setEnabled(false);
      statusBar()->addPermanentWidget(pane);
    }
    panes_[static_cast<std::size_t>(i)] = pane;
  }
}

QString CMainFrame::StatusText(int pane) const {
  return pane >= 0 && pane < kStatusPanes ? panes_[static_cast<std::size_t>(pane)]->text() : QString();
}

void CMainFrame::SetPaneText(int pane, const QString& text) {
  if (pane >= 0 && pane < kStatusPanes) panes_[static_cast<std::size_t>(pane)]->setText(text);
}

CChildFrame* CMainFrame::ActiveChild() const { return qobject_cast<CChildFrame*>(client_->activeSubWindow()); }

QList<CChildFrame*> CMainFrame::Children() const {
  QList<CChildFrame*> children;
  for (QMdiSubWindow* w : client_->subWindowList()) {
    if (auto* child = qobject_cast<CChildFrame*>(w)) children.append(child);
  }
  return children;
}

CChildFrame* CMainFrame::AddChild(std::unique_ptr<CPlenwickDoc> document, const QString& path) {
  auto* child = new CChildFrame(std::move(document), path, *tools_);
  client_->addSubWindow(child);
  connect(child, &CChildFrame::saved, this, [this](const QString& saved) {
    recent_.Add(saved);
    RebuildRecentMenu();
  });
  if (autosave_) {
    // An autosave is out of date once the drawing is saved, and unwanted once it is closed.
    connect(child, &CChildFrame::saved, this, [this, child] { autosave_->scheduler().Saved(child->document()); });
    connect(child, &CChildFrame::closing, this, [this, child] { autosave_->scheduler().Closed(child->document()); });
  }
  connect(&child->viewWidget(), &CViewWidget::statusText, this, &CMainFrame::SetPaneText);
  connect(&child->viewWidget(), &CViewWidget::initialUpdateDone, this, [this, child] { ViewShown(child); });
  connect(child, &QObject::destroyed, this, [this] {
    // The last drawing gone: nothing is active any more.
    if (client_->subWindowList().isEmpty()) ChildActivated();
  });
  child->showMaximized();
  client_->setActiveSubWindow(child);
  return child;
}

CChildFrame* CMainFrame::NewDrawing() {
  auto document = std::make_unique<CPlenwickDoc>(folders_.program, *toolUi_);
  CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kNewDrawing, DrawingInfoForNewDrawing(document->header), *ui_, this);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  ApplyNewDrawingInfo(*document, dialog.values());
  return AddChild(std::move(document), QString());
}

CChildFrame* CMainFrame::OpenDrawing(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const std::string file = absolute.toStdString();
  // JWW files go by their contents, DXF and JWC files by their extension.
  const bool jww = IsJwwFile(file);
  const bool dxf = !jww && IsDxfPath(file);
  const bool jwc = !jww && IsJwcPath(file);
  const QString documentPath = jww ? QString::fromStdString(JwwDocumentPath(file))
                               : dxf ? QString::fromStdString(DxfDocumentPath(file))
                               : jwc ? QString::fromStdString(JwcDocumentPath(file))
                                     : absolute;
  for (CChildFrame* child : Children()) {
    if (child->path() == documentPath) {
      client_->setActiveSubWindow(child);
      return child;
    }
  }
  if (dxf) {
    return OpenImportedDrawing(absolute, documentPath, [](CPlenwickDoc& doc, const std::string& in, std::string& error,
                                                          std::string& notes) {
      DxfReadReport report;
      if (!OpenDxf(doc, in, report)) {
        error = report.error;
        return false;
      }
      if (report.skipped > 0) notes = std::to_string(report.skipped) + " 個の要素は値が使えないため読み込みませんでした。";
      return true;
    });
  }
  if (jww) {
    return OpenImportedDrawing(absolute, documentPath, [](CPlenwickDoc& doc, const std::string& in, std::string& error,
                                                          std::string& notes) {
      JwwReadReport report;
      if (!OpenJww(doc, in, report)) {
        error = report.error;
        return false;
      }
      // Reading stopped early: what was read is kept, and the user told why.
      notes = report.error;
      if (const std::string more = JwwReadNotes(report); !more.empty()) notes += (notes.empty() ? "" : "\n") + more;
      return true;
    });
  }
  if (jwc) {
    return OpenImportedDrawing(absolute, documentPath, [](CPlenwickDoc& doc, const std::string& in, std::string& error,
                                                          std::string& notes) {
      JwcReadResult result;
      const bool whole = OpenJwc(doc, in, result) == 0;
      // A file that stops early opens with what was read before it, the message told over it;
      // one that held nothing opens nothing.
      if (!whole && doc.entities.empty()) {
        error = result.error;
        return false;
      }
      notes = whole ? "" : result.error;
      if (result.skipped > 0) {
        notes += (notes.empty() ? "" : "\n") + std::to_string(result.skipped) +
                 " 個の要素は値が使えないため読み込みませんでした。";
      }
      return true;
    });
  }
  auto document = std::make_unique<CPlenwickDoc>(folders_.program, *toolUi_);
  std::string error;
  if (OpenDocumentFile(*document, file, &error) != 0) {
    ui_->ShowMessage(Tr("%1 を開けませんでした。\n%2").arg(absolute, QString::fromStdString(error)).toStdString());
    recent_.Remove(absolute);
    RebuildRecentMenu();
    return nullptr;
  }
  recent_.Add(absolute);
  RebuildRecentMenu();
  return AddChild(std::move(document), absolute);
}

void CMainFrame::OfferRecovery() {
  if (!autosave_) return;
  const std::vector<LeftDrawing> left = autosave_->folder().ClaimLeftDrawings();
  if (left.empty()) return;
  CRecoveryDlg dialog(left, this);
  dialog.exec();
  ApplyRecoveryChoice(dialog.choice(), left, autosave_->folder(),
                      [this](const LeftDrawing& drawing) { return RestoreLeftDrawing(drawing); });
  UpdateSizeBox();
}

bool CMainFrame::RestoreLeftDrawing(const LeftDrawing& drawing) {
  auto document = std::make_unique<CPlenwickDoc>(folders_.program, *toolUi_);
  std::string error;
  if (ReadLeftDrawing(*document, drawing, &error) != 0) {
    ui_->ShowMessage(Tr("%1 を復元できませんでした。\n%2")
                         .arg(QString::fromStdString(drawing.record.title), QString::fromStdString(error))
                         .toStdString());
    return false;
  }
  CChildFrame* child = AddChild(std::move(document), QString::fromStdString(drawing.record.path));
  // Someone wrote the drawing's file after this copy was taken: saving over it asks first.
  if (OwnFileChangedSince(drawing)) child->ConfirmFirstOverwrite();
  autosave_->scheduler().Adopt(child->document(), drawing.name);
  return true;
}

CChildFrame* CMainFrame::OpenImportedDrawing(const QString& importPath, const QString& documentPath, const ImportReader& read) {
  auto document = std::make_unique<CPlenwickDoc>(folders_.program, *toolUi_);
  std::string error, notes;
  if (!read(*document, importPath.toStdString(), error, notes)) {
    ui_->ShowMessage(Tr("%1 を開けませんでした。\n%2").arg(importPath, QString::fromStdString(error)).toStdString());
    recent_.Remove(importPath);
    RebuildRecentMenu();
    return nullptr;
  }
  // The imported file, not the drawing that does not exist yet, is what reopens it.
  recent_.Add(importPath);
  RebuildRecentMenu();
  CChildFrame* child = AddChild(std::move(document), documentPath);
  child->ConfirmFirstOverwrite();
  UpdateSizeBox();
  // Told over the drawing it concerns.
  if (!notes.empty()) ui_->ShowMessage(notes);
  return child;
}

void CMainFrame::OnFileOpenJww() {
  const QString path = AskJwwToOpen(this);
  if (path.isEmpty()) return;
  // Chosen as a JWW file: one that is not gets the reader's own message, whatever its extension.
  const std::string file = QFileInfo(path).absoluteFilePath().toStdString();
  if (IsJwwFile(file)) {
    OpenDrawing(path);
    return;
  }
  JwwContext context;
  JwwReadReport report;
  EntityList none;
  ReadJww(context, file, none, report);
  ui_->ShowMessage(Tr("%1 を開けませんでした。\n%2").arg(path, QString::fromStdString(report.error)).toStdString());
}

void CMainFrame::ViewShown(CChildFrame* child) {
  if (child == ActiveChild()) {
    TakeLayers(layers_, child->document().layers);
    if (layerList_) layerList_->Refill();
  }
  if (!firstViewShown_) {
    // The first drawing shown brings the drawing palette and the layer list, and the grid bar
    // its pitch from the settings the first drawing has read.
    firstViewShown_ = true;
    gridBar_->SetPitch(CurrentSettings().GridPitch);
    if (tools_->paletteWindow() == PaletteWindow::kFirstStart) tools_->OpenPalette();
    OpenLayerList();
  }
  commands_->UpdateStates();
}

void CMainFrame::ChildActivated() {
  if (shuttingDown_) return;
  CChildFrame* child = ActiveChild();
  if (child) {
    child->router().Activate();
    // The layer list shows the active drawing's layers.
    TakeLayers(layers_, child->document().layers);
    if (layerList_) layerList_->Refill();
  }
  UpdateSizeBox();
  commands_->UpdateStates();
}


void CMainFrame::UpdateSizeBox() {
  CChildFrame* child = ActiveChild();
  if (!child) {
    sizeBox_->ShowDrawing(false);
    return;
  }
  const DrawingHeader& h = child->document().header;
  sizeBox_->ShowDrawing(true, h.paperSize(), h.orientation(), h.scale(), h.paperMode() == 1);
}

void CMainFrame::OpenLayerList() {
  if (layerList_) return;
  QList<QAction*> menu{commands_->Action(kCmdLayerNormal), commands_->Action(kCmdLayerOffColour),
                       commands_->Action(kCmdLayerHidden), nullptr, commands_->Action(kCmdLayerAdd),
                       commands_->Action(kCmdLayerProperty)};
  layerList_ = new CPopLayer(layers_, *ui_, menu, this);
  connect(layerList_, &CPopLayer::layerUpdate, this, [this] { OnCommand(kCmdLayerUpdate); });
  // Cleared before anything asks: the list is no CPopLayer any more while it is destroyed.
  connect(layerList_, &QObject::destroyed, this, [this] {
    layerList_ = nullptr;
    if (!shuttingDown_) commands_->UpdateStates();
  });
  layerList_->show();
}

void CMainFrame::ToggleLayerList() {
  if (layerList_) {
    layerList_->close();
  } else {
    OpenLayerList();
  }
}

void CMainFrame::LayerUpdate() {
  CChildFrame* child = ActiveChild();
  if (!child) return;
  CPlenwickDoc& doc = child->document();
  const int16_t countBefore = doc.layers.layerCount;
  const auto namesBefore = doc.layers.names;
  if (ApplyLayerUpdate(layers_, doc.layers, child->viewWidget().view())) child->viewWidget().InvalidateAll();
  // New or renamed layers belong to the drawing: they must not be lost unasked.
  if (doc.layers.layerCount != countBefore || doc.layers.names != namesBefore) doc.SetModifiedFlag();
  child->RefreshModified();
}

bool CMainFrame::LayerCommandsOn() const { return layerList_ && ActiveChild(); }

void CMainFrame::About() {
  QMessageBox::about(this, Tr("バージョン情報 Plenwick"),
                     Tr("Plenwick バージョン %1\n汎用２次元ＣＡＤ").arg(PLENWICK_VERSION));
}

void CMainFrame::OnCommand(int id) {
  CChildFrame* child = ActiveChild();
  if (id >= kCmdRecentFile1 && id < kCmdRecentFile1 + kRecentFileCount) {
    const int index = id - kCmdRecentFile1;
    if (index < recent_.files().size()) OpenDrawing(recent_.files()[index]);
    return;
  }
  switch (id) {
    case kCmdFileNew: NewDrawing(); return;
    case kCmdFileOpen:
      if (const QString path = AskDrawingToOpen(this); !path.isEmpty()) OpenDrawing(path);
      return;
    case kCmdOpenDxf:
      if (const QString path = AskDxfToOpen(this); !path.isEmpty()) OpenDrawing(path);
      return;
    case kCmdOpenJww:
      OnFileOpenJww();
      return;
    case kCmdOpenJwc:
      if (const QString path = AskJwcToOpen(this); !path.isEmpty()) OpenDrawing(path);
      return;
    case kCmdAppExit: close(); return;
    case kCmdDrawingPalette:
    case kCmdPartsData: tools_->OnFrameCommand(id); return;
    case kCmdLayerList: ToggleLayerList(); return;
    case kCmdLayerUpdate: LayerUpdate(); return;
    case kCmdLayerAdd:
      if (LayerCommandsOn()) layerList_->AddLayer();
      return;
    case kCmdLayerProperty:
      if (LayerCommandsOn()) layerList_->RenameLayer();
      return;
    case kCmdLayerNormal:
    case kCmdLayerOffColour:
    case kCmdLayerHidden:
      if (LayerCommandsOn()) {
        layerList_->SetCurrentState(id == kCmdLayerNormal ? kLayerNormal : id == kCmdLayerOffColour ? kLayerOffColour : kLayerHidden);
      }
      return;
    case kCmdWindowCascade: client_->cascadeSubWindows(); return;
    case kCmdWindowTile: client_->tileSubWindows(); return;
    case kCmdAppAbout: About(); return;
    case kCmdViewToolbar: {
      const bool show = !toolBars_[0]->isVisible();
      for (QToolBar* bar : toolBars_) bar->setVisible(show);
      return;
    }
    case kCmdViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); return;
    case kCmdInitialSettings: RunInitialSettingsCommand(*this); return;
    default: break;
  }
  if (!child || !IsCommandEnabled(id)) return;
  switch (id) {
    case kCmdFileClose: child->close(); return;
    case kCmdFileSave: child->Save(); break;
    case kCmdFileSaveAs: child->SaveAs(); break;
    case kCmdSaveDxf: child->SaveAsDxf(); break;
    case kCmdSaveJww: child->SaveAsJww(); break;
    case kCmdSaveHpgl: SaveDrawingAsHpgl(this, child->document(), child->Folder()); break;
    case kCmdPlotterOutput: PlotDrawing(this, child->document()); break;
    case kCmdSaveEmf: SaveDrawingAsMetafile(this, child->viewWidget().view(), child->document().ui(), child->Folder()); break;
    case kCmdCopyToClipboard: CopyDrawingToClipboard(child->viewWidget().view()); break;
    case kCmdPrint: PrintWithDialog(this, child->viewWidget().view(), child->document().header.orientation()); break;
    case kCmdPrintPreview: PreviewPrint(this, child->viewWidget().view(), child->document().header.orientation()); break;
    case kCmdPrintSetup: SetUpPrinter(this, child->document(), child->viewWidget().view()); break;
    case kCmdPlotterSettings: EditPlotterSettings(this, child->document()); break;
    case kCmdDrawingInfo:
      child->EditDrawingInfo();
      UpdateSizeBox();
      break;
    // The grid bar's pitch, not the one of the settings.
    case kCmdGridPitch: child->viewWidget().view().SetGridPitch(gridBar_->pitch()); break;
    default: child->viewWidget().RunCommand(id); break;
  }
  // The command may have closed the window (a modal dialog in between).
  if (Children().contains(child)) child->RefreshModified();
}

bool CMainFrame::IsCommandEnabled(int id) const {
  if (id >= kCmdRecentFile1 && id < kCmdRecentFile1 + kRecentFileCount) return id - kCmdRecentFile1 < recent_.files().size();
  switch (id) {
    case kCmdFileNew:
    case kCmdFileOpen:
    case kCmdOpenDxf:
    case kCmdOpenJwc:
    case kCmdOpenJww:
    case kCmdAppExit:
    case kCmdLayerList:
    case kCmdAppAbout:
    case kCmdViewToolbar:
    case kCmdViewStatusBar:
    case kCmdInitialSettings:
    case kCmdLayerUpdate: return true;
    case kCmdDrawingPalette:
    case kCmdPartsData: return tools_->IsFrameCommandEnabled(id);
    case kCmdLayerAdd:
    case kCmdLayerProperty:
    case kCmdLayerNormal:
    case kCmdLayerOffColour:
    case kCmdLayerHidden: return LayerCommandsOn();
    case kCmdWindowCascade:
    case kCmdWindowTile: return !client_->subWindowList().isEmpty();
    default: break;
  }
  const CommandInfo* info = FindCommand(id);
  CChildFrame* child = ActiveChild();
  if (!info || !child || info->kind == CommandKind::kDisabled) return false;
  // Frame commands without a handler yet stay disabled.
  if (info->kind == CommandKind::kFrame) return IsDrawingCommand(id);
  return child->viewWidget().initialized() && child->router().IsCommandEnabled(id);
}

bool CMainFrame::IsCommandChecked(int id) const {
  switch (id) {
    case kCmdLayerList: return layerList_ != nullptr;
    case kCmdViewToolbar: return toolBars_[0] && toolBars_[0]->isVisible();
    case kCmdViewStatusBar: return statusBar()->isVisible();
    case kCmdDrawingPalette:
    case kCmdPartsData: return tools_->IsFrameCommandChecked(id);
    default: break;
  }
  CChildFrame* child = ActiveChild();
  return child && child->viewWidget().initialized() && child->router().IsCommandChecked(id);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // Every modified drawing is asked about before any window closes, so that a cancel keeps
  // them all.
  const QList<CChildFrame*> children = Children();
  for (CChildFrame* child : children) {
    client_->setActiveSubWindow(child);
    if (!child->AskToSave()) {
      event->ignore();
      return;
    }
  }
  for (CChildFrame* child : children) child->CloseWithoutAsking();
  if (layerList_) layerList_->close();
  // Hidden first: a palette closed by the user opens the parts browser in its place, which would
  // keep the program running after its main window has gone.
  if (palette_) palette_->HideQuietly();
  if (partsBrowser_) partsBrowser_->HideQuietly();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  activateWindow();
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) OpenDrawing(url.toLocalFile());
  }
}

}  // namespace plenwick
