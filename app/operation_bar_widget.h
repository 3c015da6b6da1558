// The operation bar's window: the controls of the current OperationBar laid out in a row inside
// a tool bar of the main frame. User actions go to the bar; afterwards every control shows the
// bar's values again. Enter and Esc pressed inside the bar stay there.
#pragma once

#include <QHash>
#include <QWidget>

namespace plenwick {

class OperationBar;

class OperationBarWidget final : public QWidget {
  Q_OBJECT
 public:
  explicit OperationBarWidget(QWidget* parent = nullptr);

  // Shows `bar` (null: nothing). The same bar again only shows its values anew.
  void Show(OperationBar* bar);
  OperationBar* bar() const { return bar_; }
  // The control widget of a control id (tests).
  QWidget* control(int id) const { return controls_.value(id); }
  // Puts the focus into the first enabled edit (or control).
  void TakeFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void Sync();
  void Clear();

  OperationBar* bar_ = nullptr;
  int index_ = 0;
  QHash<int, QWidget*> controls_;
  QList<QWidget*> labels_;  // labels without an id, in order
  bool syncing_ = false;
};

}  // namespace plenwick
