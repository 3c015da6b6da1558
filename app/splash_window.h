// The splash window: the logo in a borderless window in the middle of the screen for three
// seconds, or until the first key press or mouse button press anywhere in the program.
#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace plenwick {

class CSplashWnd final : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMilliseconds = 3000;

  // Shows the splash unless one is already shown. `afterwards` is repainted when it closes.
  static void ShowSplashScreen(QWidget* afterwards);
  // The splash on screen, if any.
  static CSplashWnd* Current();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  explicit CSplashWnd(QWidget* afterwards);
  ~CSplashWnd() override;
  void HideSplashScreen();

  QWidget* afterwards_;
  QBasicTimer timer_;
};

}  // namespace plenwick
