// The splash window and the application-wide watch for the key or click that ends it.
#include "splash_window.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimerEvent>

#include "logo.h"

namespace plenwick {

namespace {
QPointer<CSplashWnd> current;
}

CSplashWnd* CSplashWnd::Current() { return current.data(); }

void CSplashWnd::ShowSplashScreen(QWidget* afterwards) {
  if (current) return;
  current = new CSplashWnd(afterwards);
  current->show();
}

CSplashWnd::CSplashWnd(QWidget* afterwards)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), afterwards_(afterwards) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kLogoWidth, kLogoHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
  qApp->installEventFilter(this);
  timer_.start(kShowMilliseconds, this);
}

CSplashWnd::~CSplashWnd() {
  if (qApp) qApp->removeEventFilter(this);
}

void CSplashWnd::HideSplashScreen() {
  timer_.stop();
  qApp->removeEventFilter(this);
  if (afterwards_) afterwards_->update();
  close();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
      HideSplashScreen();
      break;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(70, 90, 130));
  DrawLogo(p, rect());
}

void CSplashWnd::timerEvent(QTimerEvent* event) {
  if (event->timerId() == timer_.timerId()) HideSplashScreen();
}

}  // namespace plenwick
