// The flat hint window (placement, size, strip and arrow) and the hint manager
// it plugs into (pauses, neighbours, the show-hint event, live hint text).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include "StyledTestUtil.h"
#include "controls/styled/DefineHintWindow.h"
#include "controls/styled/FlatHint.h"
#include "toolkit/Application.h"
#include "toolkit/HintManager.h"

using namespace styled;
using namespace styled_test;

namespace {

QRect ScreenRect() { return QGuiApplication::primaryScreen()->geometry(); }

}  // namespace

TEST(FlatHintWindow, CornerCodesByScreenQuarter) {
  const QRect s(0, 0, 800, 600);
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(10, 10), s), 1);
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(500, 10), s), 0);
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(10, 500), s), 3);
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(500, 500), s), 2);
  // The midlines belong to the right and lower quarters.
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(400, 10), s), 0);
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(10, 300), s), 3);
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(-5, -5), s), 2);  // outside every quarter
  EXPECT_EQ(TDefineHintWindow::CornerFor(QPoint(900, 10), s), 2);
}

TEST(FlatHintWindow, BoundsSitDiagonallyBesideThePointer) {
  const QPoint p(300, 200);
  const QSize sz(60, 20);
  EXPECT_EQ(TDefineHintWindow::BoundsFor(p, sz, 0), QRect(QPoint(235, 205), sz));
  EXPECT_EQ(TDefineHintWindow::BoundsFor(p, sz, 1), QRect(QPoint(312, 212), sz));
  EXPECT_EQ(TDefineHintWindow::BoundsFor(p, sz, 2), QRect(QPoint(235, 175), sz));
  EXPECT_EQ(TDefineHintWindow::BoundsFor(p, sz, 3), QRect(QPoint(305, 175), sz));
}

TEST(FlatHintWindow, TopLeftQuarterLookSizeAndArrow) {
  Host host;
  auto* settings = new TFlatHint(&host);
  settings->SetColorArrowBackground(platform::RGB(255, 210, 83));
  toolkit::TheHintManager().SetCursorPos(ScreenRect().topLeft() + QPoint(100, 100));
  TDefineHintWindow window;
  const QString text = QStringLiteral("诗");
  window.ActivateHint(QRect(), text);
  const QRect measured = QFontMetrics(settings->Font()).boundingRect(QRect(0, 0, 178, 0), Qt::TextWordWrap, text);
  EXPECT_EQ(window.ArrowCorner(), 1);
  EXPECT_EQ(window.geometry(), QRect(ScreenRect().topLeft() + QPoint(112, 112),
                                     QSize(measured.width() + 22, measured.height() + 6)));
  const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(window.ArrowAnchor(), QPoint(3, 3));
  const QRgb black = qRgb(0, 0, 0), strip = qRgb(255, 210, 83), white = qRgb(255, 255, 255);
  EXPECT_EQ(shown.pixel(0, 0), black);                     // frame
  EXPECT_EQ(shown.pixel(shown.width() - 1, 5), black);
  EXPECT_EQ(shown.pixel(14, shown.height() - 2), strip);   // strip = (1, 1)-(15, B-1)
  EXPECT_EQ(shown.pixel(15, shown.height() - 2), white);   // text area starts at 15
  // The arrow: a two-pixel corner at the anchor and a diagonal shaft down-right.
  for (QPoint q : {QPoint(3, 3), QPoint(3, 9), QPoint(4, 9), QPoint(9, 3), QPoint(9, 4), QPoint(5, 7), QPoint(8, 10),
                   QPoint(9, 10), QPoint(6, 6), QPoint(10, 9), QPoint(10, 8)})
    EXPECT_EQ(shown.pixel(q), black) << q.x() << "," << q.y();
  EXPECT_EQ(shown.pixel(11, 3), strip);
  EXPECT_EQ(shown.pixel(2, 12), strip);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST(FlatHintWindow, BottomRightQuarterAndLongTextWraps) {
  Host host;
  auto* settings = new TFlatHint(&host);
  const QPoint pointer = ScreenRect().topLeft() + QPoint(ScreenRect().width() - 50, ScreenRect().height() - 50);
  toolkit::TheHintManager().SetCursorPos(pointer);
  TDefineHintWindow window;
  const QString text = QStringLiteral("a long explanation of the poem form that must wrap over several lines");
  window.ActivateHint(QRect(), text);
  EXPECT_EQ(window.ArrowCorner(), 2);
  EXPECT_LE(window.width(), settings->MaxWidth());
  EXPECT_GT(window.height(), QFontMetrics(settings->Font()).height() * 2);
  EXPECT_EQ(window.geometry().bottomRight() + QPoint(1, 1), pointer - QPoint(5, 5));
  const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QPoint a = window.ArrowAnchor();
  EXPECT_EQ(a, QPoint(window.width() - 1 - 3, window.height() - 1 - 3));
  EXPECT_EQ(shown.pixel(a), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(a - QPoint(6, 0)), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(a - QPoint(0, 6)), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(window.width() - 16, 2), qRgb(255, 255, 255));  // text area left of the strip
  // Colours changed while the hint shows apply to the next hint only.
  settings->SetColorArrowBackground(platform::RGB(0, 0, 255));
  EXPECT_NE(window.grab().toImage().pixel(window.width() - 3, 12) | 0xFF000000u, qRgb(0, 0, 255));
  window.ActivateHint(QRect(), text);
  EXPECT_EQ(window.grab().toImage().pixel(window.width() - 3, 12) | 0xFF000000u, qRgb(0, 0, 255));
}

namespace {

// A control whose hint names the pointer position, updated on every move.
class LiveHint : public QWidget {
 public:
  explicit LiveHint(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

 protected:
  void mouseMoveEvent(QMouseEvent* e) override {
    setToolTip(QStringLiteral("x=%1").arg(e->position().toPoint().x()));
  }
};

struct ManagerFixture : ::testing::Test {
  Host host;
  QWidget* first = nullptr;
  QWidget* second = nullptr;
  TFlatHint* component = nullptr;
  toolkit::HintManager& manager = toolkit::TheHintManager();
  void SetUp() override {
    component = new TFlatHint(&host);
    first = new QWidget(&host);
    first->setGeometry(10, 10, 50, 30);
    first->setToolTip(QStringLiteral("first"));
    second = new QWidget(&host);
    second->setGeometry(60, 10, 50, 30);
    second->setToolTip(QStringLiteral("second"));
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }
  void TearDown() override { manager.CancelHint(); }
  void Settle() { QCoreApplication::processEvents(); }
};

}  // namespace

TEST_F(ManagerFixture, ComponentSetsThePausesAndTheWindowClass) {
  toolkit::Application& app = toolkit::TheApplication();
  EXPECT_EQ(app.HintShortPause(), 25);
  EXPECT_EQ(app.HintPause(), 500);
  EXPECT_EQ(app.HintHidePause(), 5000);
  Enter(first);
  Settle();
  EXPECT_EQ(manager.HintControl(), first);
  EXPECT_EQ(manager.PendingPause(), 500);
  host.activateWindow();
  QWidget* before = QApplication::activeWindow();
  manager.ShowHintNow();
  ASSERT_NE(manager.HintWindow(), nullptr);
  EXPECT_NE(qobject_cast<TDefineHintWindow*>(manager.HintWindow()), nullptr);
  EXPECT_TRUE(manager.HintWindow()->isVisible());
  EXPECT_EQ(manager.HintWindow()->Caption(), QStringLiteral("first"));
  EXPECT_EQ(QApplication::activeWindow(), before);
  EXPECT_FALSE(manager.HintWindow()->isActiveWindow());
}

TEST_F(ManagerFixture, NeighboursUseTheShortPauseAndLeavingHides) {
  toolkit::TheApplication().SetHintPause(30);
  toolkit::TheApplication().SetHintShortPause(7);
  toolkit::TheApplication().SetHintHidePause(60000);
  Enter(first);
  Settle();
  EXPECT_EQ(manager.PendingPause(), 30);
  QTRY_VERIFY(manager.HintWindow() && manager.HintWindow()->isVisible());
  // Straight to the neighbour while the hint is up.
  Leave(first);
  Enter(second);
  Settle();
  EXPECT_EQ(manager.HintControl(), second);
  EXPECT_EQ(manager.PendingPause(), 7);
  EXPECT_FALSE(manager.HintWindow()->isVisible());
  QTRY_VERIFY(manager.HintWindow()->isVisible());
  EXPECT_EQ(manager.HintWindow()->Caption(), QStringLiteral("second"));
  // Back onto the bare window: the hint goes.
  Leave(second);
  Settle();
  EXPECT_EQ(manager.HintControl(), nullptr);
  EXPECT_FALSE(manager.HintWindow()->isVisible());
  // A fresh hint after that waits the full pause.
  Enter(first);
  Settle();
  EXPECT_EQ(manager.PendingPause(), 30);
}

TEST_F(ManagerFixture, HidePauseClickAndSwitches) {
  toolkit::TheApplication().SetHintHidePause(20);
  Enter(first);
  Settle();
  manager.ShowHintNow();
  EXPECT_TRUE(manager.HintWindow()->isVisible());
  QTRY_VERIFY(!manager.HintWindow()->isVisible());
  EXPECT_EQ(manager.HintControl(), first);  // not shown again until the pointer moves on
  toolkit::TheApplication().SetHintHidePause(60000);
  Leave(first);
  Enter(second);
  Settle();
  manager.ShowHintNow();
  EXPECT_TRUE(manager.HintWindow()->isVisible());
  QTest::mousePress(second, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_FALSE(manager.HintWindow()->isVisible());
  QTest::mouseRelease(second, Qt::LeftButton, {}, QPoint(3, 3));
  // No hint for a control that turns hints off, or with the application switch off.
  first->setProperty("ShowHint", false);
  Leave(second);
  Enter(first);
  Settle();
  EXPECT_EQ(manager.HintControl(), nullptr);
  first->setProperty("ShowHint", true);
  toolkit::TheApplication().SetShowHint(false);
  Leave(first);
  Enter(second);
  Settle();
  EXPECT_EQ(manager.HintControl(), nullptr);
  toolkit::TheApplication().SetShowHint(true);
}

TEST_F(ManagerFixture, ShowHintEventIsForwarded) {
  component->OnShowHint = [](QString& text, bool& canShow, toolkit::THintInfo& info) {
    if (text == QStringLiteral("second")) canShow = false;
    text += QStringLiteral("!");
    info.HideTimeout = 0;
  };
  Enter(first);
  Settle();
  manager.ShowHintNow();
  EXPECT_EQ(manager.HintWindow()->Caption(), QStringLiteral("first!"));
  manager.CancelHint();
  Enter(second);
  Settle();
  manager.ShowHintNow();
  EXPECT_FALSE(manager.HintWindow()->isVisible());
  // A destroyed component forwards nothing.
  delete component;
  manager.CancelHint();
  Leave(second);
  Enter(first);
  Settle();
  manager.ShowHintNow();
  EXPECT_EQ(manager.HintWindow()->Caption(), QStringLiteral("first"));
}

TEST_F(ManagerFixture, HintTextIsReadWhenTheHintAppears) {
  auto* label = new LiveHint(&host);
  label->setGeometry(150, 10, 80, 20);
  label->setToolTip(QStringLiteral("start"));
  label->show();
  QTest::mouseMove(label, QPoint(5, 5));
  QTest::mouseMove(label, QPoint(17, 6));
  Settle();
  EXPECT_EQ(manager.HintControl(), label);
  manager.ShowHintNow();
  EXPECT_EQ(manager.HintWindow()->Caption(), QStringLiteral("x=17"));
}
