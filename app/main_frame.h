// CMainFrame: the MDI main window. It carries the menus, the five tool bars with the size box,
// prompt box and grid bar, the operation bar, the status bar with its seven panes, the drawing
// palette, the layer list, the recently-used list and dropped files; it owns the tool framework,
// opens and creates drawings, and routes every command to itself or to the active drawing.
#pragma once

#include <functional>
#include <string>

#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "model/autosave_folder.h"
#include "platform/installation.h"
#include "qt_tool_ui.h"
#include "qt_user_interface.h"
#include "recent_files.h"
#include "pop_layer.h"
#include "view/layer_list.h"
#include "view/tool_framework/tool_framework.h"

class QMenu;
class QToolBar;

namespace plenwick {

class CAutosaveTimer;
class CBitmapClient;
class CChildFrame;
class CGrigBarDlg;
class DrawingPaletteWindow;
class OperationBarWidget;
class CPopInportDlg;
class PromptBoxWidget;
class CPlenwickDoc;
class CSizeInfoDlg;
class CommandActions;

class CMainFrame final : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kStatusPanes = 7;
  // Index of the status pane of the X and Y cursor coordinates.
  static constexpr int kPaneX = 1, kPaneY = 2;

  // `ui` replaces the message boxes (tests); null shows them.
  explicit CMainFrame(InstalledFolders folders, UserInterface* ui = nullptr, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Runs a command as the menus, tool bars and keys do.
  void OnCommand(int id);
  bool IsCommandEnabled(int id) const;
  bool IsCommandChecked(int id) const;

  // "新規作成": the drawing-information dialog, then a window; null when it was cancelled.
  CChildFrame* NewDrawing();
  // Opens a drawing file in a window (or shows the window that has it); null on failure (the
  // user has been told why).
  // Opens a drawing file, or reads a DXF file (by its extension, of any case) into a new drawing
  // whose file is beside it; activates the drawing's window when it is open already.
  CChildFrame* OpenDrawing(const QString& path);
  // At start-up: offers the drawings a crashed run left in the autosave folder (復元, 破棄, 後で).
  void OfferRecovery();

  CChildFrame* ActiveChild() const;
  QList<CChildFrame*> Children() const;
  CommandActions& commands() { return *commands_; }
  UserInterface& ui() { return *ui_; }
  ToolFramework& tools() { return *tools_; }
  DrawingPaletteWindow* palette() const { return palette_; }
  CPopInportDlg* partsBrowser() const { return partsBrowser_; }
  OperationBarWidget* operationBar() const { return operationBar_; }
  QString StatusText(int pane) const;
  CPopLayer* layerList() const { return layerList_; }
  ProgramLayers& programLayers() { return layers_; }
  PromptBoxWidget* promptBox() const { return promptBox_; }
  CSizeInfoDlg* sizeBox() const { return sizeBox_; }
  CGrigBarDlg* gridBar() const { return gridBar_; }
  QToolBar* toolBar(int index) const { return toolBars_[static_cast<std::size_t>(index)]; }
  const RecentFileList& recentFiles() const { return recent_; }
  const InstalledFolders& folders() const { return folders_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Reads a file of another program into a new document: true, with `notes` for the user, when
  // it opens; false with `error` set when not.
  using ImportReader =
      std::function<bool(CPlenwickDoc& doc, const std::string& path, std::string& error, std::string& notes)>;
  CChildFrame* OpenImportedDrawing(const QString& importPath, const QString& documentPath, const ImportReader& read);
  void OnFileOpenJww();
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreateStatusBar();
  void RebuildRecentMenu();
  void FillWindowMenu();
  CChildFrame* AddChild(std::unique_ptr<CPlenwickDoc> document, const QString& path);
  // Opens a drawing of the autosave folder as a changed drawing under its own path; false when
  // it cannot be read (the user has been told).
  bool RestoreLeftDrawing(const LeftDrawing& drawing);
  void ChildActivated();
  void ViewShown(CChildFrame* child);
  void ToggleLayerList();
  void OpenLayerList();
  void LayerUpdate();
  void UpdateSizeBox();
  void SetPaneText(int pane, const QString& text);
  bool LayerCommandsOn() const;
  void About();
  void ShowOperationBar(OperationBar* bar);
  void ShowPaletteWindow(PaletteWindow shown);

  InstalledFolders folders_;
  std::unique_ptr<QtUserInterface> ownUi_;
  UserInterface* ui_;
  // The framework's user interface outlives the framework, which outlives the drawings.
  std::unique_ptr<QtToolUi> toolUi_;
  std::unique_ptr<ToolFramework> tools_;
  CommandActions* commands_ = nullptr;
  CAutosaveTimer* autosave_ = nullptr;  // owned by Qt
  CBitmapClient* client_ = nullptr;
  std::array<QToolBar*, 5> toolBars_{};
  CSizeInfoDlg* sizeBox_ = nullptr;
  PromptBoxWidget* promptBox_ = nullptr;
  OperationBarWidget* operationBar_ = nullptr;
  QToolBar* operationBarArea_ = nullptr;
  DrawingPaletteWindow* palette_ = nullptr;
  CPopInportDlg* partsBrowser_ = nullptr;
  CGrigBarDlg* gridBar_ = nullptr;
  std::array<QLabel*, kStatusPanes> panes_{};
  QMenu* recentMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QList<QAction*> windowListActions_;
  RecentFileList recent_;
  ProgramLayers layers_;
  CPopLayer* layerList_ = nullptr;  // owned by Qt; cleared when it is destroyed
  bool firstViewShown_ = false;
  bool shuttingDown_ = false;
};

}  // namespace plenwick
