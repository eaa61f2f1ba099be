// The skin manager: the started counter and the 250 ms requests, the actions
// (skin all, restore all, re-skin), the conditions for skinning a window, the
// component a window gets, purging closed windows, missing skin files, and
// the tags the engine honours.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/WinMessage.h"
#include "platform/WindowClass.h"
#include "tests/skin_engine/EngineFixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace {

using enginetest::EngineTest;
using skin::TSkinData;

class Manage : public EngineTest {
 protected:
  toolkit::TForm* Shown(QSize client = {200, 100}) {
    auto* f = Keep(new toolkit::TForm());
    f->resize(client);
    f->show();
    Settle();
    return f;
  }
  QString SkinFile(const enginetest::FrameSpec& spec, const QString& name) {
    const QString path = QDir(dir_.path()).filePath(name);
    testing_support::WriteFile(path, enginetest::FrameSkinFile(spec));
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(Manage, BeforeTheFirstActivationRequestsSwitchAtOnceAfterItThe250MsTimerRunsThem) {
  EXPECT_EQ(Manager().Started(), 0);
  EXPECT_TRUE(Manager().Active());  // Loaded's request 1 acted at once
  EXPECT_FALSE(Manager().Timer()->isActive());
  Manager().RequestAction(2, 250);
  EXPECT_FALSE(Manager().Active());
  Manager().RequestAction(6, 250);  // other codes only wait for a start
  EXPECT_FALSE(Manager().Active());
  Manager().RequestAction(1, 250);
  // The first activation starts the manager.
  toolkit::TForm* f = Shown();
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(f, &activate);
  EXPECT_EQ(Manager().Started(), 1);
  Manager().RequestAction(3, 250);
  EXPECT_TRUE(Manager().Timer()->isActive());
  EXPECT_EQ(Manager().Timer()->interval(), 250);
  EXPECT_EQ(Manager().PendingCode(), 3);
  // Nothing pending: the tick does nothing but stop.
  Manager().RunAction();
  EXPECT_FALSE(Manager().Timer()->isActive());
}

TEST_F(Manage, SwitchingSkinsReframesEveryWindowOn250MsAndFiresOnSkinChangedOncePerSwitch) {
  toolkit::TForm* a = Shown({200, 100});
  toolkit::TForm* b = Shown({150, 90});
  ASSERT_NE(FrameOf(a), nullptr);
  ASSERT_NE(FrameOf(b), nullptr);
  Manager().SetStarted(1);
  int changed = 0;
  data_->OnSkinChanged = [&changed](QObject*) { ++changed; };
  enginetest::FrameSpec wide;
  wide.L = 7;
  wide.T = 26;
  wide.R = 2;
  wide.B = 9;
  const QString path = SkinFile(wide, QStringLiteral("wide.skn"));
  data_->SetSkinFile(path);
  EXPECT_TRUE(Manager().Timer()->isActive());
  EXPECT_TRUE(FrameOf(a)->CaptionButtons().empty());  // freed until the re-skin
  Settle(400);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(a->contentsMargins(), QMargins(7, 26, 2, 9));
  EXPECT_EQ(a->contentsRect().size(), QSize(200, 100));
  EXPECT_EQ(a->size(), QSize(209, 135));
  EXPECT_EQ(b->contentsRect().size(), QSize(150, 90));
  // The same file again loads again and switches again.
  const int generation = data_->Generation();
  data_->SetSkinFile(path);
  Settle(400);
  EXPECT_EQ(data_->Generation(), generation + 1);
  EXPECT_EQ(changed, 2);
}

TEST_F(Manage, AMissingFileKeepsTheLookAndLeavesWindowsOpenedAfterwardsUnskinned) {
  toolkit::TForm* a = Shown();
  const QMargins framed = a->contentsMargins();
  Manager().SetStarted(1);
  int changed = 0;
  data_->OnSkinChanged = [&changed](QObject*) { ++changed; };
  data_->SetSkinFile(QDir(dir_.path()).filePath(QStringLiteral("9.skn")));
  Settle(400);
  EXPECT_EQ(changed, 0);  // nothing was requested
  EXPECT_EQ(a->contentsMargins(), framed);
  EXPECT_NE(FrameOf(a), nullptr);
  auto* box = Keep(new QDialog());
  platform::SetWindowClassName(box, QStringLiteral("TMessageForm"));
  box->resize(120, 60);
  box->show();
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(box, &activate);
  Settle();
  EXPECT_EQ(FrameOf(box), nullptr);
  EXPECT_EQ(box->contentsMargins(), QMargins());
  // A later good load skins the next window again.
  data_->SetSkinFile(SkinFile({}, QStringLiteral("1.skn")));
  Settle(400);
  auto* next = Keep(new QDialog());
  platform::SetWindowClassName(next, QStringLiteral("#32770"));
  next->resize(120, 60);
  next->show();
  Settle();
  EXPECT_NE(FrameOf(next), nullptr);
}

TEST_F(Manage, TheConditionsForSkinningAWindow) {
  // A form with Tag 99 never, whatever DisableTag says.
  data_->SetDisableTag(5);
  auto* tagged = Keep(new toolkit::TForm());
  tagged->SetTag(99);
  tagged->resize(100, 50);
  tagged->show();
  Settle();
  EXPECT_EQ(FrameOf(tagged), nullptr);
  auto* tag105 = Keep(new toolkit::TForm());
  tag105->SetTag(105);
  tag105->resize(100, 50);
  tag105->show();
  Settle();
  EXPECT_NE(FrameOf(tag105), nullptr);
  // Class names the engine leaves alone, and the filter's answer.
  auto* calendar = Keep(new QWidget());
  platform::SetWindowClassName(calendar, QStringLiteral("SysMonthCal32"));
  calendar->resize(100, 50);
  EXPECT_FALSE(Manager().SkinWindow(calendar));
  auto* app = Keep(new QWidget());
  platform::SetWindowClassName(app, QStringLiteral("TApplication"));
  app->resize(100, 50);
  EXPECT_FALSE(Manager().SkinWindow(app));
  QStringList asked;
  data_->OnFormSkin = [&asked](QObject*, const QString& name, bool& doSkin) {
    asked << name;
    doSkin = name != QLatin1String("TRefused");
  };
  auto* refused = Keep(new QWidget());
  platform::SetWindowClassName(refused, QStringLiteral("TRefused"));
  refused->resize(100, 50);
  EXPECT_FALSE(Manager().SkinWindow(refused));
  EXPECT_TRUE(Manager().SkinWindow(calendar));  // with a filter, the filter decides
  EXPECT_EQ(asked, QStringList({"TRefused", "SysMonthCal32"}));
  // An empty window and a child window are not skinned.
  auto* empty = Keep(new QWidget());
  empty->resize(0, 40);
  EXPECT_FALSE(Manager().SkinWindow(empty));
  auto* parent = Keep(new QWidget());
  auto* child = new QWidget(parent);
  child->resize(50, 50);
  EXPECT_FALSE(Manager().SkinWindow(child));
  // Switched off, nothing is skinned.
  Manager().SetActive(false);
  auto* late = Keep(new QWidget());
  late->resize(100, 50);
  EXPECT_FALSE(Manager().SkinWindow(late));
}

TEST_F(Manage, ControlsTaggedWithTheDisableTagKeepTheirLook) {
  auto* f = Keep(new toolkit::TForm());
  f->resize(200, 100);
  auto panel = [f](int tag) {
    auto* p = new toolkit::TPanel(f);
    p->SetTag(tag);
    p->SetColor(platform::RGB(1, 1, 1));
    return p;
  };
  toolkit::TPanel* p0 = panel(0);
  toolkit::TPanel* p199 = panel(199);
  toolkit::TPanel* pMinus = panel(-99);
  f->show();
  Settle();
  const platform::TColor face = platform::RGB(212, 200, 180);
  EXPECT_EQ(p0->Color(), face);
  EXPECT_EQ(p199->Color(), platform::RGB(1, 1, 1));
  EXPECT_EQ(pMinus->Color(), face);
  EXPECT_NE(FrameOf(f)->FindSkinner(p0), nullptr);
  EXPECT_EQ(FrameOf(f)->FindSkinner(p199), nullptr);
}

TEST_F(Manage, AWindowGetsTheComponentMadeForItThenTheDialogsThenTheMainOne) {
  auto* owner = Keep(new toolkit::TForm());
  auto* only = new TSkinData(owner);
  only->SetSkinFormtype(skin::sfOnlyThisForm);
  auto* dialogs = new TSkinData(owner);
  dialogs->SetSkinFormtype(skin::sfDialog);
  Manager().Enrol(only);
  Manager().Enrol(dialogs);
  auto* box = Keep(new QDialog());
  platform::SetWindowClassName(box, QStringLiteral("#32770"));
  auto* message = Keep(new QDialog());
  platform::SetWindowClassName(message, QStringLiteral("TMessageForm"));
  auto* other = Keep(new toolkit::TForm());
  EXPECT_EQ(Manager().FindSkinData(owner), only);
  EXPECT_EQ(Manager().FindSkinData(box), dialogs);
  EXPECT_EQ(Manager().FindSkinData(message), dialogs);
  EXPECT_EQ(Manager().FindSkinData(other), data_.get());
  EXPECT_EQ(Manager().DefaultComponent(), data_.get());
  Manager().Remove(dialogs);
  EXPECT_EQ(Manager().FindSkinData(box), data_.get());  // no dialog component: the main one
}

TEST_F(Manage, ClosedWindowsArePurgedAndAFreedComponentGivesItsWindowsBack) {
  toolkit::TForm* a = Shown();
  toolkit::TForm* b = Shown();
  ASSERT_EQ(Manager().Frames().size(), 2u);
  windows_.erase(windows_.begin());  // destroys a
  Q_UNUSED(a);
  EXPECT_EQ(Manager().Frames().size(), 2u);  // until the next purge
  Manager().PurgeClosed();
  EXPECT_EQ(Manager().Frames().size(), 1u);
  data_.reset();
  EXPECT_TRUE(Manager().Frames().empty());
  EXPECT_EQ(b->contentsMargins(), QMargins());
  EXPECT_FALSE(b->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(Manage, SkinAllSkinsEveryVisibleFormFromTheLastToTheFirst) {
  Manager().SetActive(false);
  toolkit::TForm* a = Shown();
  toolkit::TForm* b = Shown();
  auto* hidden = Keep(new toolkit::TForm());
  hidden->resize(50, 50);
  EXPECT_EQ(FrameOf(a), nullptr);
  Manager().SetStarted(1);
  data_->SetActive(false);
  data_->SetActive(true);
  EXPECT_TRUE(Manager().Timer()->isActive());
  Manager().RunAction();
  ASSERT_EQ(Manager().Frames().size(), 2u);
  EXPECT_EQ(Manager().Frames()[0]->Handle(), b);
  EXPECT_EQ(Manager().Frames()[1]->Handle(), a);
  EXPECT_EQ(FrameOf(hidden), nullptr);
  EXPECT_EQ(a->contentsRect().size(), QSize(200, 100));
}

}  // namespace
