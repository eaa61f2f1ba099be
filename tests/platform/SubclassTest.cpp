// Subclassing a widget's message handling: stacking order, removal at any
// depth, swallowing, handing on, and the destruction notice.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "platform/Subclass.h"
#include "platform/WinMessage.h"

namespace {

using platform::Subclass;

class LoggingWidget : public QWidget {
 public:
  QStringList* log = nullptr;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User && log) log->append(QStringLiteral("widget"));
    return QWidget::event(e);
  }
};

std::unique_ptr<Subclass> Logging(QWidget* w, QStringList& log, const QString& name, bool pass = true) {
  return std::make_unique<Subclass>(
      w,
      [&log, name, pass](QEvent* e) {
        if (e->type() == QEvent::User) log.append(name + QStringLiteral(".before"));
        return pass || e->type() != QEvent::User;
      },
      [&log, name](QEvent* e) {
        if (e->type() == QEvent::User) log.append(name + QStringLiteral(".after"));
      });
}

void Send(QWidget* w) {
  QEvent e(QEvent::User);
  QCoreApplication::sendEvent(w, &e);
}

TEST(Subclass, StacksLastInstalledOutermostAndRemovalSplicesOutExactlyThatOne) {
  LoggingWidget w;
  QStringList log;
  w.log = &log;
  auto a = Logging(&w, log, QStringLiteral("A"));
  auto b = Logging(&w, log, QStringLiteral("B"));
  auto c = Logging(&w, log, QStringLiteral("C"));
  EXPECT_EQ(Subclass::Depth(&w), 3);
  Send(&w);
  EXPECT_EQ(log, QStringList({"C.before", "B.before", "A.before", "widget", "A.after", "B.after", "C.after"}));

  // The middle one goes: the outer and inner ones keep their places.
  log.clear();
  b->Remove();
  EXPECT_FALSE(b->Installed());
  Send(&w);
  EXPECT_EQ(log, QStringList({"C.before", "A.before", "widget", "A.after", "C.after"}));

  log.clear();
  c.reset();
  a->Remove();
  a->Remove();  // twice is harmless
  Send(&w);
  EXPECT_EQ(log, QStringList({"widget"}));
  EXPECT_EQ(Subclass::Depth(&w), 0);
}

TEST(Subclass, ASwallowingBeforeStepStopsTheInnerHandlersAndItsOwnAfterStep) {
  LoggingWidget w;
  QStringList log;
  w.log = &log;
  auto inner = Logging(&w, log, QStringLiteral("inner"));
  auto outer = Logging(&w, log, QStringLiteral("outer"), false);
  Send(&w);
  EXPECT_EQ(log, QStringList({"outer.before"}));

  // The swallowing step may still hand the message on by itself.
  log.clear();
  auto* outerRaw = outer.get();
  outer = std::make_unique<Subclass>(
      &w,
      [&log, &outerRaw](QEvent* e) {
        if (e->type() != QEvent::User) return true;
        log.append(QStringLiteral("outer.before"));
        outerRaw->CallPrevious(e);
        return false;
      },
      Subclass::After());
  outerRaw = outer.get();
  Send(&w);
  EXPECT_EQ(log, QStringList({"outer.before", "inner.before", "widget", "inner.after"}));
}

TEST(Subclass, DestroyingTheWidgetNoticesEveryStepOnceAndLeavesTheSubclassesInert) {
  auto* w = new QWidget;
  int notices = 0, others = 0;
  auto count = [&](QEvent* e) {
    if (platform::IsMessage(e, platform::WM_NCDESTROY)) ++notices;
    else if (e->type() == QEvent::User) ++others;
    return true;
  };
  auto a = std::make_unique<Subclass>(w, count);
  auto b = std::make_unique<Subclass>(w, count);
  delete w;
  EXPECT_EQ(notices, 2);
  EXPECT_EQ(others, 0);
  EXPECT_FALSE(a->Installed());
  a->Remove();
  b.reset();
  EXPECT_EQ(Subclass::Depth(w), 0);
}

TEST(Subclass, RemovingItselfWhileHandlingAMessageIsSafe) {
  LoggingWidget w;
  QStringList log;
  w.log = &log;
  std::unique_ptr<Subclass> self;
  self = std::make_unique<Subclass>(&w, [&](QEvent* e) {
    if (e->type() == QEvent::User) self.reset();
    return true;
  });
  Send(&w);
  EXPECT_EQ(log, QStringList({"widget"}));
  Send(&w);
  EXPECT_EQ(log, QStringList({"widget", "widget"}));
}

TEST(WinMessage, SendReturnsTheAnswerAndPostArrivesLaterOrNeverForAGoneReceiver) {
  QWidget w;
  QList<std::pair<int, platform::LPARAM>> seen;
  Subclass answer(&w, [&](QEvent* e) {
    if (platform::WinMessage* m = platform::AsWinMessage(e)) {
      seen.append({m->Msg(), m->lParam});
      if (m->Msg() == platform::SKM_QUERYSKINNED) m->Result = 1;
      return false;
    }
    return true;
  });
  EXPECT_EQ(platform::SendMessage(&w, platform::SKM_QUERYSKINNED), 1);
  EXPECT_EQ(platform::SendMessage(&w, platform::SKM_REPAINTFRAME, 3, 4), 0);
  EXPECT_EQ(platform::SendMessage(nullptr, platform::SKM_QUERYSKINNED), 0);

  seen.clear();
  platform::PostMessage(&w, platform::SKM_ATTACHCONTROLS, 0, 1000);
  EXPECT_TRUE(seen.isEmpty());
  QCoreApplication::processEvents();
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].first, platform::SKM_ATTACHCONTROLS);
  EXPECT_EQ(seen[0].second, 1000);

  auto* gone = new QWidget;
  platform::PostMessage(gone, platform::SKM_REFRESH);
  delete gone;
  QCoreApplication::processEvents();  // dropped, not delivered to freed memory

  // Ordinary Qt events are not messages.
  QEvent plain(QEvent::User);
  EXPECT_EQ(platform::AsWinMessage(&plain), nullptr);
}

}  // namespace
