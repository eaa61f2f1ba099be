// The base control skinner's message routing and life, and the box skinner's
// recolouring.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>

#include "platform/WinMessage.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_engine/TestSkins.h"
#include "toolkit/Panel.h"

namespace {

using skin::TSkinControl;

// Records what the routing hands it.
class Probe : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  QList<QEvent::Type> before, after;
  int paints = 0;
  bool swallowUser = false;
  bool BeforeMessage(QEvent* e) override {
    before.append(e->type());
    if (swallowUser && e->type() == QEvent::User) return false;
    return TSkinControl::BeforeMessage(e);
  }
  void AfterMessage(QEvent* e) override {
    after.append(e->type());
    TSkinControl::AfterMessage(e);
  }
  void Paint(QPainter&, const QRect&) override { ++paints; }
};

skin::TSkinData& LoadedData() {
  static skin::TSkinData* data = [] {
    auto* d = new skin::TSkinData();
    d->ReadSkinStream(enginetest::FrameSkinStream({}));
    return d;
  }();
  return *data;
}

void Send(QWidget* w, QEvent::Type t) {
  QEvent e(t);
  QCoreApplication::sendEvent(w, &e);
}

TEST(SkinControl, MessagesRunBeforeThenTheControlThenAfterAndASwallowedOneSkipsTheRest) {
  QWidget control;
  auto* probe = new Probe(&control);
  probe->InitControl(nullptr, &LoadedData(), false, nullptr);
  Send(&control, QEvent::User);
  EXPECT_EQ(probe->before.count(QEvent::User), 1);
  EXPECT_EQ(probe->after.count(QEvent::User), 1);
  probe->swallowUser = true;
  Send(&control, QEvent::User);
  EXPECT_EQ(probe->before.count(QEvent::User), 2);
  EXPECT_EQ(probe->after.count(QEvent::User), 1);
  // A second initialisation does nothing.
  probe->InitControl(nullptr, &LoadedData(), false, nullptr);
  Send(&control, QEvent::User);
  EXPECT_EQ(probe->before.count(QEvent::User), 3);
}

TEST(SkinControl, WithPaintingOffOnlySwitchingItOnIsActedOn) {
  QWidget control;
  control.resize(40, 20);
  auto* probe = new Probe(&control);
  probe->InitControl(nullptr, &LoadedData(), false, nullptr);
  platform::SendMessage(&control, platform::SKM_PAINTING, 0);
  EXPECT_FALSE(probe->Painting());
  probe->before.clear();
  probe->after.clear();
  Send(&control, QEvent::User);
  platform::SendMessage(&control, platform::SKM_PAINTING, 0);  // wParam 0: still off
  EXPECT_TRUE(probe->before.isEmpty());
  EXPECT_TRUE(probe->after.isEmpty());
  EXPECT_FALSE(probe->Painting());
  platform::SendMessage(&control, platform::SKM_PAINTING, 1);
  EXPECT_TRUE(probe->Painting());
  Send(&control, QEvent::User);
  EXPECT_EQ(probe->after.count(QEvent::User), 1);
}

TEST(SkinControl, PaintsAfterTheControlPaintedAndFollowsFocusAndEnabledState) {
  QWidget control;
  control.resize(40, 20);
  auto* probe = new Probe(&control);
  probe->InitControl(nullptr, &LoadedData(), false, nullptr);
  control.grab();
  EXPECT_GE(probe->paints, 1);
  control.setEnabled(false);
  EXPECT_FALSE(probe->Enabled());
  control.setEnabled(true);
  EXPECT_TRUE(probe->Enabled());
}

TEST(SkinControl, TheControlsDestructionEndsTheSkinnersLifeAndRestoresItFirst) {
  auto* panel = new toolkit::TPanel;
  panel->SetColor(platform::RGB(1, 2, 3));
  auto* probe = new Probe(panel);
  probe->InitControl(nullptr, &LoadedData(), true, nullptr);
  EXPECT_EQ(panel->Color(), platform::RGB(212, 200, 180));
  QPointer<Probe> guard(probe);
  delete panel;
  EXPECT_TRUE(guard.isNull());  // freed with its owner
}

TEST(SkinBox, RecoloursToTheSkinsButtonFaceAndBackWithoutHookingMessages) {
  toolkit::TPanel panel;
  panel.SetColor(platform::RGB(16, 32, 64));
  auto* box = new skin::TSkinBox(&panel);
  box->InitControl(nullptr, &LoadedData(), true, nullptr);
  EXPECT_EQ(panel.Color(), platform::RGB(212, 200, 180));
  EXPECT_EQ(platform::SendMessage(&panel, platform::SKM_QUERYSKINNED), 0);  // no hook
  panel.SetColor(platform::RGB(9, 9, 9));
  box->Refresh();
  EXPECT_EQ(panel.Color(), platform::RGB(212, 200, 180));
  delete box;
  EXPECT_EQ(panel.Color(), platform::RGB(16, 32, 64));
}

}  // namespace
