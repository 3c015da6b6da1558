// Helpers for widget tests: answering modal dialogs that a call under test opens, and finding
// widgets by object name.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "view_widget.h"

namespace plenwick::testing {

// A drawing's window of w x h shown, its initial update done and its picture painted.
inline std::unique_ptr<CViewWidget> ShownViewWidget(ViewDocument document, int w, int h) {
  auto widget = std::make_unique<CViewWidget>(document);
  widget->resize(w, h);
  widget->show();
  QElapsedTimer t;
  t.start();
  while (!widget->initialized() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(widget->initialized());
  widget->repaint();
  return widget;
}

// Calls `answer` with the next modal dialog once it is open (within a few seconds); the call
// that opens it runs meanwhile. Each call answers one dialog.
inline void WhenModal(std::function<void(QWidget*)> answer, QWidget* notThis = nullptr) {
  auto* timer = new QTimer;
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, started, answer = std::move(answer), notThis] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != notThis && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    } else if (started->elapsed() > 5000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal dialog opened";
    }
  });
  timer->start();
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// Clicks the button of a message box whose text starts with `label`.
inline void ClickMessageButton(QWidget* modal, const QString& label) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  ASSERT_NE(box, nullptr);
  for (QAbstractButton* b : box->buttons()) {
    if (b->text().startsWith(label)) {
      b->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << label.toStdString();
}

}  // namespace plenwick::testing
