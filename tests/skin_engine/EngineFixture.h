#pragma once
// A skin component loaded with a test skin and switched on, as the main
// window's component is at start-up; the manager is freed afterwards.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/skin_engine/TestSkins.h"

namespace enginetest {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(Spec()); }
  void TearDown() override {
    windows_.clear();
    data_.reset();
    skin::TSkinManage::Free();
  }
  virtual FrameSpec Spec() const {
    FrameSpec s;
    s.buttons = StandardButtons(s.T);
    return s;
  }
  void Start(const FrameSpec& spec) {
    spec_ = spec;
    data_ = std::make_unique<skin::TSkinData>();
    data_->BeginReading();
    data_->SetActive(true);
    data_->ReadSkinStream(FrameSkinStream(spec));
    data_->Loaded();
  }
  skin::TSkinManage& Manager() { return *skin::TSkinManage::Instance(); }
  skin::TWinSkinForm* FrameOf(QWidget* w) { return Manager().FrameOf(w); }
  // Lets posted messages and timers run.
  static void Settle(int ms = 0) {
    QCoreApplication::processEvents();
    if (ms > 0) {
      QElapsedTimer t;
      t.start();
      while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
  }
  template <typename T>
  T* Keep(T* w) {
    windows_.emplace_back(w);
    return w;
  }
  // A mouse event at `p` of `w` (window coordinates), the global position
  // following the window.
  static void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                    Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
  }
  // While the left button is held: a first move to `from` (where the drag
  // starts), then to `to` (screen coordinates).
  static void Drag(QWidget* w, QPoint from, QPoint to) {
    for (QPoint global : {from, to}) {
      const QPoint local = w->mapFromGlobal(global);
      QMouseEvent e(QEvent::MouseMove, QPointF(local), QPointF(global), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(w, &e);
    }
  }

  FrameSpec spec_;
  std::unique_ptr<skin::TSkinData> data_;
  std::vector<std::unique_ptr<QWidget>> windows_;
};

}  // namespace enginetest
