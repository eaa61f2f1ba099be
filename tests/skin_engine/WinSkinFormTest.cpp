// A skinned window on the offscreen platform: framed before it is shown with
// its client size kept, the frame's look active and inactive, the caption
// buttons and the system menu, moving and resizing by hand, the resize
// cursors, the region, and detaching that restores everything.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/WinMessage.h"
#include "platform/WindowClass.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/skin_engine/EngineFixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace {

using enginetest::EngineTest;
using skin::TWinSkinForm;

// L 4, T 20, R 3, B 5 (see TestSkins.h): the outer size grows by 7 x 25.
class Frame : public EngineTest {
 protected:
  toolkit::TForm* NewForm(QSize client = {300, 201}, toolkit::TFormBorderStyle style = toolkit::bsSizeable) {
    auto* f = Keep(new toolkit::TForm());
    f->SetCaption(QStringLiteral("Test window"));
    f->move(40, 30);
    f->resize(client);
    if (style != toolkit::bsSizeable) f->SetBorderStyle(style);
    return f;
  }
  TWinSkinForm* ShowSkinned(toolkit::TForm* f) {
    f->show();
    Settle();
    return FrameOf(f);
  }
};

TEST_F(Frame, AWindowIsFramedBeforeItIsShownAndKeepsItsClientSize) {
  toolkit::TForm* f = NewForm();
  auto* byHand = new QWidget(f);
  byHand->setGeometry(10, 12, 30, 20);
  auto* top = new toolkit::TPanel(f);
  top->resize(50, 40);
  toolkit::SetAlign(top, toolkit::alTop);
  bool framedAtFirstPaint = false;
  struct FirstPaint : QObject {
    bool* seen;
    bool done = false;
    QWidget* window = nullptr;
    bool eventFilter(QObject* o, QEvent* e) override {
      if (o == window && e->type() == QEvent::Paint && !done) {
        done = true;
        *seen = static_cast<QWidget*>(o)->contentsMargins() == QMargins(4, 20, 3, 5) &&
                static_cast<QWidget*>(o)->size() == QSize(307, 226);
      }
      return false;
    }
  } watch;
  watch.seen = &framedAtFirstPaint;
  watch.window = f;
  qApp->installEventFilter(&watch);
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  f->grab();
  qApp->removeEventFilter(&watch);
  EXPECT_TRUE(watch.done);
  EXPECT_TRUE(framedAtFirstPaint);
  EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(f->geometry(), QRect(40, 30, 307, 226));
  EXPECT_EQ(f->contentsRect(), QRect(4, 20, 300, 201));
  EXPECT_EQ(byHand->pos(), QPoint(14, 32));
  EXPECT_EQ(top->geometry(), QRect(4, 20, 300, 40));
  EXPECT_EQ(frame->Kind(), skin::fkSizeable);
  EXPECT_EQ(platform::SendMessage(f, platform::SKM_QUERYSKINNED), 1);
  EXPECT_FALSE(Manager().SkinWindow(f));  // never twice
  EXPECT_EQ(frame->Life(), skin::flNormal);
  EXPECT_EQ(f->Color(), platform::RGB(212, 200, 180));
}

TEST_F(Frame, AFixedSizeDialogGrowsItsLimitsWithTheFrame) {
  toolkit::TForm* f = NewForm({321, 249}, toolkit::bsDialog);
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(f->size(), QSize(328, 274));
  EXPECT_EQ(f->minimumSize(), QSize(328, 274));
  EXPECT_EQ(f->maximumSize(), QSize(328, 274));
  EXPECT_EQ(frame->Kind(), skin::fkDialog);
  EXPECT_TRUE(frame->Caps().SystemMenu);
  EXPECT_FALSE(frame->Caps().Maximize);
  EXPECT_FALSE(frame->Caps().Minimize);
}

TEST_F(Frame, SwitchingOffRestoresEveryWindowExactly) {
  toolkit::TForm* a = NewForm({300, 201}, toolkit::bsDialog);
  a->SetColor(platform::RGB(1, 2, 3));
  a->setMouseTracking(false);
  auto* child = new QWidget(a);
  child->setGeometry(10, 12, 30, 20);
  const Qt::WindowFlags flags = a->windowFlags();
  const QSize minimum = a->minimumSize(), maximum = a->maximumSize();
  const QRect before = a->geometry();
  a->show();
  Settle();
  ASSERT_NE(FrameOf(a), nullptr);
  ASSERT_NE(a->geometry(), before);

  int changed = 0;
  data_->OnSkinChanged = [&changed](QObject*) { ++changed; };
  Manager().SetStarted(1);
  data_->SetActive(false);
  EXPECT_TRUE(Manager().Timer()->isActive());
  EXPECT_EQ(Manager().Timer()->interval(), 250);
  Manager().RunAction();
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(FrameOf(a), nullptr);
  EXPECT_EQ(a->windowFlags(), flags);
  EXPECT_EQ(a->geometry(), before);
  EXPECT_EQ(a->contentsMargins(), QMargins());
  EXPECT_EQ(a->minimumSize(), minimum);
  EXPECT_EQ(a->maximumSize(), maximum);
  EXPECT_TRUE(a->mask().isEmpty());
  EXPECT_EQ(child->pos(), QPoint(10, 12));
  EXPECT_EQ(a->Color(), platform::RGB(1, 2, 3));
  EXPECT_FALSE(a->hasMouseTracking());
  EXPECT_EQ(platform::SendMessage(a, platform::SKM_QUERYSKINNED), 0);
}

TEST_F(Frame, TheInactiveWindowDrawsEveryBordersSecondFrame) {
  toolkit::TForm* f = NewForm();
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  f->activateWindow();
  Settle();
  ASSERT_TRUE(frame->Active());
  EXPECT_TRUE(frame->Timer()->isActive());
  QImage img = frame->ComposeFrame();
  EXPECT_EQ(img.pixelColor(1, 100).rgb(), spec_.left.rgb());
  EXPECT_EQ(img.pixelColor(150, 223).rgb(), spec_.bottom.rgb());
  toolkit::TForm* other = NewForm();
  other->show();
  other->activateWindow();
  Settle();
  EXPECT_FALSE(frame->Active());
  EXPECT_FALSE(frame->Timer()->isActive());  // the hot-object timer runs only while active
  img = frame->ComposeFrame();
  EXPECT_EQ(img.pixelColor(1, 100).rgb(), spec_.leftInactive.rgb());
  EXPECT_EQ(img.pixelColor(305, 100).rgb(), spec_.rightInactive.rgb());
  EXPECT_EQ(img.pixelColor(150, 223).rgb(), spec_.bottomInactive.rgb());
  EXPECT_EQ(img.pixelColor(150, 2).rgb(), spec_.topInactive.rgb());
}

// The frame keeps its composed parts between paints; whatever changes what
// the frame shows must reach the screen as a fresh composition would draw it.
TEST_F(Frame, ThePaintedFrameFollowsEveryChangeOfWhatItShows) {
  toolkit::TForm* f = NewForm({301, 200});
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  f->activateWindow();
  Settle();
  // Opaque frame pixels of a fresh composition that the window's own paint drew otherwise.
  auto stale = [&](const char* step) {
    SCOPED_TRACE(step);
    const QImage painted = f->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage fresh = frame->ComposeFrame().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(painted.size(), fresh.size());
    int differing = 0, compared = 0;
    for (int y = 0; y < std::min(painted.height(), fresh.height()); ++y)
      for (int x = 0; x < std::min(painted.width(), fresh.width()); ++x) {
        const QRgb want = fresh.pixel(x, y);
        if (qAlpha(want) != 255) continue;
        ++compared;
        differing += (painted.pixel(x, y) | 0xff000000u) != want ? 1 : 0;
      }
    EXPECT_GT(compared, 2 * (f->width() + f->height()));
    return differing;
  };
  EXPECT_EQ(stale("first paint"), 0);
  EXPECT_EQ(stale("painted again, nothing changed"), 0);
  f->SetCaption(QStringLiteral("A much longer caption that moves the title plate"));
  Settle();
  EXPECT_EQ(stale("new caption"), 0);
  const QPoint close(f->width() - 17 + 5 - 3, spec_.buttons[0].ycoord + 4);
  Mouse(f, QEvent::MouseMove, close, Qt::NoButton);
  EXPECT_EQ(stale("pointer over the close button"), 0);
  Mouse(f, QEvent::MouseMove, {150, 100}, Qt::NoButton);
  EXPECT_EQ(stale("pointer gone again"), 0);
  f->resize(f->width() + 37, f->height() - 12);
  Settle();
  EXPECT_EQ(stale("resized"), 0);
  toolkit::TForm* other = NewForm();
  other->show();
  other->activateWindow();
  Settle();
  ASSERT_FALSE(frame->Active());
  EXPECT_EQ(stale("inactive"), 0);
  f->activateWindow();
  Settle();
  EXPECT_EQ(stale("active again"), 0);
}

TEST_F(Frame, CaptionButtonsHoverPressAndCloseThroughTheCloseHandler) {
  toolkit::TForm* f = NewForm();
  int closes = 0;
  f->OnClose = [&closes](toolkit::TCloseAction&) { ++closes; };
  TWinSkinForm* frame = ShowSkinned(f);
  f->activateWindow();
  Settle();
  f->grab();  // lays the buttons out
  const QPoint close(307 - 17 + 5, spec_.buttons[0].ycoord + 4);
  skin::TWinSysButton* b = frame->CaptionButtonAt(close);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Action(), 0);
  Mouse(f, QEvent::MouseMove, close, Qt::NoButton);
  EXPECT_EQ(b->State, skin::ncsOver);
  EXPECT_EQ(frame->HotObject(), b);
  // Painted by itself, the button shows its hover frame at its place and nothing beside it.
  QImage canvas(f->size(), QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  b->Paint(&painter);
  painter.end();
  EXPECT_EQ(canvas.pixelColor(close).rgb(), enginetest::ButtonFrameColour(spec_.buttons[0], 3).rgb());
  EXPECT_EQ(canvas.pixelColor(b->Rect.topLeft() - QPoint(1, 0)).rgb(), QColor(Qt::black).rgb());
  // The system-menu button shows the window's icon, not frames of its own image.
  skin::TWinSysButton* menu = frame->CaptionButtonAt({6 + 8, (spec_.T - 16) / 2 + 8});
  ASSERT_NE(menu, nullptr);
  canvas.fill(Qt::black);
  painter.begin(&canvas);
  menu->Paint(&painter);
  painter.end();
  EXPECT_NE(canvas.pixelColor(6 + 8, (spec_.T - 16) / 2 + 8).rgb(),
            enginetest::ButtonFrameColour(spec_.buttons[4], 1).rgb());
  Mouse(f, QEvent::MouseButtonPress, close);
  EXPECT_EQ(b->State, skin::ncsPressed);
  // Released elsewhere: nothing happens.
  Mouse(f, QEvent::MouseButtonRelease, {150, 100});
  Settle();
  EXPECT_EQ(closes, 0);
  Mouse(f, QEvent::MouseButtonPress, close);
  Mouse(f, QEvent::MouseButtonRelease, close);
  Settle();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(f->isVisible());
  // Once a new skin replaces the elements, the button holds none of the old ones.
  data_->ReadSkinStream(enginetest::FrameSkinStream(spec_));
  EXPECT_EQ(b->Data(), nullptr);
  EXPECT_EQ(b->Action(), -1);
}

TEST_F(Frame, MaximiseAndRestoreByTheCaptionAndTheButtons) {
  toolkit::TForm* f = NewForm();
  TWinSkinForm* frame = ShowSkinned(f);
  const QRect normal = f->geometry();
  Mouse(f, QEvent::MouseButtonDblClick, {150, 10});
  Settle();
  EXPECT_EQ(frame->ShowState(), skin::ssMaximized);
  EXPECT_EQ(f->geometry(), f->screen()->availableGeometry());
  EXPECT_EQ(f->contentsMargins(), QMargins(4, 20, 3, 5));  // only re-framed
  // Maximised, the caption does not move the window and shows restore, not maximise.
  f->grab();
  const int W = f->width();
  skin::TWinSysButton* b = frame->CaptionButtonAt({W - 31 + 2, spec_.buttons[1].ycoord + 2});
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Data()->Visibility, 1);
  Mouse(f, QEvent::MouseButtonDblClick, {150, 10});
  Settle();
  EXPECT_EQ(frame->ShowState(), skin::ssNormal);
  EXPECT_EQ(f->geometry(), normal);
  frame->DoCaptionAction(22);
  Settle();
  EXPECT_EQ(frame->ShowState(), skin::ssMaximized);
  frame->DoCaptionAction(1);
  Settle();
  EXPECT_EQ(f->geometry(), normal);
}

TEST_F(Frame, MovingByTheCaptionAndResizingByBordersAndCornersWithoutAWindowManager) {
  toolkit::TForm* f = NewForm();
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  const QPoint origin = f->pos();
  Mouse(f, QEvent::MouseButtonPress, {150, 10});
  const QPoint start = f->mapToGlobal(QPoint(150, 10));
  Drag(f, start, start + QPoint(41, 27));
  Mouse(f, QEvent::MouseButtonRelease, f->mapFromGlobal(start + QPoint(41, 27)));
  EXPECT_EQ(f->pos(), origin + QPoint(41, 27));
  EXPECT_EQ(f->size(), QSize(307, 226));

  struct Case {
    QPoint at;
    QPoint by;
    QRect expected;  // relative to the geometry at the press
  } cases[] = {
      {{306, 100}, {25, 9}, {0, 0, 332, 226}},      // right
      {{0, 100}, {-13, 4}, {-13, 0, 320, 226}},     // left
      {{150, 225}, {3, 17}, {0, 0, 307, 243}},      // bottom
      {{150, 1}, {5, -11}, {0, -11, 307, 237}},     // top
      {{0, 0}, {-11, -13}, {-11, -13, 318, 239}},   // top-left
      {{306, 0}, {9, -2}, {0, -2, 316, 228}},       // top-right
      {{0, 225}, {6, 8}, {6, 0, 301, 234}},         // bottom-left
      {{306, 225}, {-7, -5}, {0, 0, 300, 221}},     // bottom-right
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
    f->setGeometry(QRect(origin, QSize(307, 226)));
    const QRect g = f->geometry();
    Mouse(f, QEvent::MouseButtonPress, c.at);
    const QPoint global = g.topLeft() + c.at;
    Drag(f, global, global + c.by);
    Mouse(f, QEvent::MouseButtonRelease, f->mapFromGlobal(global + c.by));
    EXPECT_EQ(f->geometry(), c.expected.translated(g.topLeft()));
    EXPECT_EQ(f->contentsRect().size(), f->size() - QSize(7, 25));
  }
  // The client never shrinks below one pixel.
  f->setGeometry(QRect(origin, QSize(307, 226)));
  Mouse(f, QEvent::MouseButtonPress, {306, 225});
  Drag(f, f->mapToGlobal(QPoint(306, 225)), f->mapToGlobal(QPoint(306, 225)) - QPoint(900, 900));
  EXPECT_EQ(f->size(), QSize(8, 26));
}

TEST_F(Frame, TheFirstMotionOfADragAlreadyMovesOrResizesTheWindow) {
  toolkit::TForm* f = NewForm();
  ASSERT_NE(ShowSkinned(f), nullptr);
  const QRect start(f->pos(), QSize(307, 226));
  struct Case {
    const char* what;
    QPoint at;     // window coordinates of the press
    QPoint first;  // the first motion, then a second one
    QRect afterFirst;
    QPoint second;
    QRect afterSecond;  // offsets from the start geometry
  };
  const Case cases[] = {
      {"caption", {150, 10}, {5, 7}, {5, 7, 307, 226}, {9, 4}, {9, 4, 307, 226}},
      {"right border", {305, 100}, {3, 0}, {0, 0, 310, 226}, {-11, 2}, {0, 0, 296, 226}},
      {"bottom-left corner", {1, 224}, {-4, 6}, {-4, 0, 311, 232}, {2, -1}, {2, 0, 305, 225}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    f->setGeometry(start);
    Mouse(f, QEvent::MouseButtonPress, c.at);
    const QPoint press = start.topLeft() + c.at;
    for (const auto& [by, expected] : {std::pair{c.first, c.afterFirst}, std::pair{c.second, c.afterSecond}}) {
      const QPoint global = press + by;
      QMouseEvent move(QEvent::MouseMove, QPointF(f->mapFromGlobal(global)), QPointF(global), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(f, &move);
      EXPECT_EQ(f->geometry(), expected.translated(start.topLeft()));
    }
    Mouse(f, QEvent::MouseButtonRelease, f->mapFromGlobal(press + c.second));
  }
}

TEST_F(Frame, TheResizeCursorShowsOverTheBordersAndTheWindowsOwnComesBack) {
  toolkit::TForm* f = NewForm();
  ShowSkinned(f);
  f->activateWindow();
  Settle();
  Mouse(f, QEvent::MouseMove, {306, 100}, Qt::NoButton);
  EXPECT_EQ(f->cursor().shape(), Qt::SizeHorCursor);
  Mouse(f, QEvent::MouseMove, {0, 0}, Qt::NoButton);
  EXPECT_EQ(f->cursor().shape(), Qt::SizeFDiagCursor);
  Mouse(f, QEvent::MouseMove, {306, 225}, Qt::NoButton);
  EXPECT_EQ(f->cursor().shape(), Qt::SizeFDiagCursor);
  Mouse(f, QEvent::MouseMove, {306, 0}, Qt::NoButton);
  EXPECT_EQ(f->cursor().shape(), Qt::SizeBDiagCursor);
  Mouse(f, QEvent::MouseMove, {150, 100}, Qt::NoButton);
  EXPECT_EQ(f->cursor().shape(), Qt::ArrowCursor);
  // A window with a cursor of its own gets that one back.
  f->setCursor(Qt::IBeamCursor);
  Mouse(f, QEvent::MouseMove, {150, 225}, Qt::NoButton);
  EXPECT_EQ(f->cursor().shape(), Qt::SizeVerCursor);
  Mouse(f, QEvent::MouseMove, {150, 10}, Qt::NoButton);  // the caption: the arrow of the window
  EXPECT_EQ(f->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(Frame, TheSystemMenuOpensOnTheCaptionWithTheShowStateDisabledAndDoubleClickingTheIconCloses) {
  toolkit::TForm* f = NewForm();
  int closes = 0;
  f->OnClose = [&closes](toolkit::TCloseAction&) { ++closes; };
  TWinSkinForm* frame = ShowSkinned(f);
  f->activateWindow();
  Settle();
  f->grab();
  QMenu* menu = frame->SystemMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->property("Tag").toInt(), 33333);
  QStringList captions;
  for (QAction* a : menu->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(captions, QStringList({" Restore ", " Maximize ", " Minimize ", "-", " Close "}));
  EXPECT_EQ(menu->actions().last()->shortcut(), QKeySequence(QStringLiteral("Shift+F4")));
  Mouse(f, QEvent::MouseButtonPress, {150, 10}, Qt::RightButton);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
  EXPECT_TRUE(menu->actions()[1]->isEnabled());
  EXPECT_EQ(Manager().MenuSource(), skin::msSystemMenu);
  menu->actions()[1]->trigger();
  menu->hide();
  Settle();
  EXPECT_EQ(frame->ShowState(), skin::ssMaximized);
  frame->DoCaptionAction(1);
  Settle(QApplication::doubleClickInterval() + 50);

  // The icon: hot under the pointer, two calls within the double-click time close.
  f->grab();
  const QPoint icon(6 + 4, (spec_.T - 16) / 2 + 4);
  Mouse(f, QEvent::MouseMove, icon, Qt::NoButton);
  ASSERT_NE(frame->HotObject(), nullptr);
  frame->ShowSystemMenu(f->mapToGlobal(icon));
  EXPECT_EQ(closes, 0);
  frame->ShowSystemMenu(f->mapToGlobal(icon));
  menu->hide();
  Settle();
  EXPECT_EQ(closes, 1);
}

TEST_F(Frame, AForeignWindowTakesTheSkinsButtonFaceAndGivesItBack) {
  auto* box = Keep(new QDialog());
  platform::SetWindowClassName(box, QStringLiteral("#32770"));
  box->resize(120, 60);
  const QColor before = box->palette().color(QPalette::Window);
  box->show();
  Settle();
  ASSERT_NE(FrameOf(box), nullptr);
  EXPECT_EQ(box->palette().color(QPalette::Window), QColor(212, 200, 180));
  Manager().SetStarted(1);
  data_->SetActive(false);
  Manager().RunAction();
  EXPECT_EQ(box->palette().color(QPalette::Window), before);
}

TEST_F(Frame, TheManagersTeardownGivesLiveWindowsTheirOwnFrameBack) {
  toolkit::TForm* f = NewForm();
  ShowSkinned(f);
  ASSERT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
  skin::TSkinManage::Free();
  EXPECT_EQ(skin::TSkinManage::Instance(), nullptr);
  EXPECT_FALSE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(f->contentsMargins(), QMargins());
  EXPECT_EQ(f->size(), QSize(300, 201));
}

// Borders that the skin leaves out: no caption to move or close the window by.
class NoCaptionFrame : public Frame {
 protected:
  enginetest::FrameSpec Spec() const override {
    enginetest::FrameSpec s;
    s.T = 0;
    return s;
  }
};

TEST_F(NoCaptionFrame, AWindowKeepsThePlatformsFrameAndItsClientWhenTheSkinHasNoCaption) {
  toolkit::TForm* f = NewForm();
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(frame->Framed());
  EXPECT_FALSE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(f->contentsMargins(), QMargins());
  EXPECT_EQ(f->size(), QSize(300, 201));
  EXPECT_EQ(f->Color(), platform::RGB(212, 200, 180));  // the controls and colours still follow the skin
  // A skin with a caption frames it from the next switch on.
  Manager().SetStarted(1);
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("framed.skn"));
  testing_support::WriteFile(path, enginetest::FrameSkinFile({}));
  data_->SetSkinFile(path);
  Manager().RunAction();
  EXPECT_TRUE(frame->Framed());
  EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(f->contentsRect().size(), QSize(300, 201));
}

class TransparentFrame : public Frame {
 protected:
  enginetest::FrameSpec Spec() const override {
    enginetest::FrameSpec s = Frame::Spec();
    s.magentaCorners = true;
    s.leftTrans = s.rightTrans = 1;
    return s;
  }
};

TEST_F(TransparentFrame, TheRegionFollowsTheBordersAndTheirSize) {
  toolkit::TForm* f = NewForm();
  ShowSkinned(f);
  EXPECT_FALSE(f->mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(f->mask().contains(QPoint(1, 0)));
  EXPECT_FALSE(f->mask().contains(QPoint(304, 0)));
  EXPECT_TRUE(f->mask().contains(QPoint(303, 0)));
  EXPECT_TRUE(f->mask().contains(QPoint(306, 225)));
  f->resize(400, 300);
  Settle();
  EXPECT_FALSE(f->mask().contains(QPoint(397, 0)));
  EXPECT_TRUE(f->mask().contains(QPoint(396, 0)));
  EXPECT_TRUE(f->mask().contains(QPoint(399, 299)));
  EXPECT_EQ(f->mask().boundingRect(), QRect(0, 0, 400, 300));
}

TEST_F(Frame, AMessageWindowWhoseCaptionIsWiderThanItsBodyGrowsAndCentresItsChildren) {
  auto* box = Keep(new QDialog());
  platform::SetWindowClassName(box, QStringLiteral("TMessageForm"));
  box->setWindowTitle(QStringLiteral("A caption much wider than the small body of this message window"));
  auto* label = new QWidget(box);
  label->setFixedSize(60, 30);
  auto* layout = new QVBoxLayout(box);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(label);
  box->show();
  Settle();
  TWinSkinForm* frame = FrameOf(box);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsDialog());
  const int needed = spec_.textShift + QFontMetrics(frame->CaptionFont()).horizontalAdvance(frame->CaptionText()) +
                     spec_.textRightClip;
  EXPECT_EQ(box->width(), needed);
  const QMargins m = box->contentsMargins();
  EXPECT_LE(std::abs((m.left() - 4) - (m.right() - 3)), 1);  // the difference split in halves
  EXPECT_GT(m.left(), 4);
}

}  // namespace
