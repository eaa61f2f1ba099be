// The standard message dialogs on Qt message boxes: Chinese captions for the
// information and confirmation kinds, the application title on the error box,
// and Qt's own Simplified Chinese texts on the standard buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/Dialogs.h"

using namespace platform;

namespace {

struct SeenBox {
  QString caption;
  QString text;
  QStringList buttons;
  QString windowClass;
};

// Records the message box that comes up and answers it with the button whose
// text is `answer` (the first button when empty), clicked with the mouse.
class BoxWatcher {
 public:
  explicit BoxWatcher(QString answer = QString()) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start(20);
  }
  const std::optional<SeenBox>& Seen() const { return seen_; }

 private:
  void Look() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    timer_.stop();
    SeenBox seen{box->windowTitle(), box->text(), {}, box->property("windowClass").toString()};
    QAbstractButton* target = nullptr;
    for (QAbstractButton* b : box->buttons()) {
      seen.buttons << b->text();
      if (!target && (answer_.isEmpty() || b->text() == answer_)) target = b;
    }
    seen_ = seen;
    if (target) QTest::mouseClick(target, Qt::LeftButton);
    else box->reject();
  }
  QString answer_;
  QTimer timer_;
  std::optional<SeenBox> seen_;
};

}  // namespace

TEST(QtDialogs, ConfirmationSpeaksChineseAndAnswersWithTheButtonClicked) {
  QtDialogs dialogs;
  {
    BoxWatcher watcher(QStringLiteral("否(&N)"));
    EXPECT_EQ(dialogs.MessageDlg(QStringLiteral("是否打开软件主页？"), DialogKind::Confirmation, DialogButtons::YesNo), mrNo);
    ASSERT_TRUE(watcher.Seen().has_value());
    EXPECT_EQ(watcher.Seen()->caption, QStringLiteral("确认"));
    EXPECT_EQ(watcher.Seen()->text, QStringLiteral("是否打开软件主页？"));
    QStringList buttons = watcher.Seen()->buttons;
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("否(&N)"), QStringLiteral("是(&Y)")}));
    EXPECT_EQ(watcher.Seen()->windowClass, QStringLiteral("TMessageForm"));
  }
  {
    BoxWatcher watcher(QStringLiteral("是(&Y)"));
    EXPECT_EQ(dialogs.MessageDlg(QStringLiteral("x"), DialogKind::Confirmation, DialogButtons::YesNo), mrYes);
  }
}

TEST(QtDialogs, InformationAndErrorBoxCaptionsAndTheirOkButton) {
  QtDialogs dialogs;
  {
    BoxWatcher watcher;
    // Line breaks of Windows texts become plain line feeds.
    EXPECT_EQ(dialogs.MessageDlg(QStringLiteral("找到 3 条\r\n记录"), DialogKind::Information, DialogButtons::Ok), mrOk);
    ASSERT_TRUE(watcher.Seen().has_value());
    EXPECT_EQ(watcher.Seen()->caption, QStringLiteral("信息"));
    EXPECT_EQ(watcher.Seen()->text, QStringLiteral("找到 3 条\n记录"));
    EXPECT_EQ(watcher.Seen()->buttons, QStringList{QStringLiteral("确定")});
  }
  {
    BoxWatcher watcher;
    dialogs.ErrorBox(QStringLiteral("Cinnabarquillpad"), QStringLiteral("Unable to write to /x/setup.ini."));
    ASSERT_TRUE(watcher.Seen().has_value());
    EXPECT_EQ(watcher.Seen()->caption, QStringLiteral("Cinnabarquillpad"));
    EXPECT_EQ(watcher.Seen()->buttons, QStringList{QStringLiteral("确定")});
    EXPECT_EQ(watcher.Seen()->windowClass, QStringLiteral("#32770"));
  }
}
