// The study tools from the keyboard under a window manager, in two skins: a
// line search (飞花令) for 花 at the second place of a line, its chosen line in
// the pane, then 注音 over the pane and beside the columns of the vertical
// reading window, and off again.
#include <gtest/gtest.h>

#include <QThread>

#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"

namespace {

using skine2e::kMainTitle;

const QString kMessageTitle = QStringLiteral("信息");
const QString kReaderTitle = QStringLiteral("竖排阅读");

class StudyTools : public testing::TestWithParam<int> {};

int Ink(const QImage& s, const QRect& r) { return e2e::CountPixels(s, r, e2e::IsDark); }

TEST_P(StudyTools, LineSearchAndPinyinFromTheKeyboard) {
  const int skin = GetParam();
  const QString tag = QStringLiteral("study-skin%1").arg(skin);
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok());
  e2e::WindowManager openbox(display);
  ASSERT_TRUE(openbox.Ok());
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("0"), QStringLiteral("2")));
  e2e::RunningProgram program(display, copy, {}, {QStringLiteral("--skin"), QString::number(skin)});
  ASSERT_TRUE(program.Started());
  const std::optional<e2e::Window> main = skine2e::FindWindow(display, kMainTitle);
  ASSERT_TRUE(main);
  QImage shot;
  const auto waitForFocus = [&](const QString& name) {
    return e2e::WaitForShot(display, name, [&](const QImage&) { return skine2e::HasFocus(display, *main); }, &shot,
                            e2e::Patience(5000));
  };
  ASSERT_TRUE(waitForFocus(tag + QStringLiteral("-00-focus")));
  QThread::msleep(e2e::Patience(500));
  const auto keys = [&](std::initializer_list<const char*> names) {
    for (const char* k : names) {
      e2e::PressKey(display, QString::fromLatin1(k));
      QThread::msleep(e2e::Patience(150));
    }
  };
  const QImage start = e2e::Shot(display, tag + QStringLiteral("-01-start"));

  // The mode box has the focus: its fourth mode, 按诗句搜索, shows the place box
  // after 搜索; 花 in the keyword box, 2 in the place box, Enter searches.
  keys({"Down", "Down", "Down", "Tab", "ctrl+a"});
  e2e::TypeText(display, QStringLiteral("花"));
  keys({"Tab", "Tab", "2", "Return"});
  ASSERT_TRUE(skine2e::FindWindow(display, kMessageTitle, e2e::Patience(10000))) << "no message after the line search";
  e2e::Shot(display, tag + QStringLiteral("-02-found"));
  keys({"Return"});
  ASSERT_TRUE(skine2e::WindowGone(display, kMessageTitle, e2e::Patience(10000)));
  QImage listed;
  ASSERT_TRUE(e2e::WaitForShot(display, tag + QStringLiteral("-03-lines"), [&](const QImage& s) {
    return e2e::DifferentPixels(s, start, main->geometry) > 2000;
  }, &listed));
  // On through the two bars into the table: Down chooses the first line, its poem shows.
  keys({"Tab", "Tab", "Tab", "Down"});
  QImage chosen;
  ASSERT_TRUE(e2e::WaitForShot(display, tag + QStringLiteral("-04-line-chosen"), [&](const QImage& s) {
    return e2e::DifferentPixels(s, listed, main->geometry) > 2000;
  }, &chosen));

  // 注音 from the menu bar by the keyboard (Alt, on to 阅读, its second entry): pinyin over the pane.
  keys({"alt", "Right", "Right", "Down", "Down", "Return"});
  QImage pinyin;
  ASSERT_TRUE(e2e::WaitForShot(display, tag + QStringLiteral("-05-pinyin"), [&](const QImage& s) {
    return e2e::DifferentPixels(s, chosen, main->geometry) > 5000;
  }, &pinyin)) << "注音 changed nothing";
  // 竖排阅读, its third entry: the reading window shows the pinyin beside its columns.
  keys({"alt", "Right", "Right", "Down", "Down", "Down", "Return"});
  const std::optional<e2e::Window> reader = skine2e::FindWindow(display, kReaderTitle, e2e::Patience(10000));
  ASSERT_TRUE(reader) << "no reading window";
  const QRect page = reader->geometry.adjusted(8, 40, -8, -50);
  QImage withPinyin;
  ASSERT_TRUE(e2e::WaitForShot(display, tag + QStringLiteral("-06-reader-pinyin"), [&](const QImage& s) {
    return Ink(s, page) > 2000;
  }, &withPinyin));
  QThread::msleep(e2e::Patience(500));
  withPinyin = e2e::Shot(display, tag + QStringLiteral("-06-reader-pinyin"));
  // 注音 off from the main window: the reading window's columns lose their
  // pinyin and close up (the poem takes fewer pages).
  const QString mainId = e2e::WaitForClientWindow(display, kMainTitle);
  ASSERT_FALSE(mainId.isEmpty());
  e2e::Run(display, QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), mainId});
  ASSERT_TRUE(waitForFocus(tag + QStringLiteral("-07-main-active")));
  keys({"alt", "Right", "Right", "Down", "Down", "Return"});
  QImage plain;
  EXPECT_TRUE(e2e::WaitForShot(display, tag + QStringLiteral("-08-reader-plain"), [&](const QImage& s) {
    return Ink(s, page) > 2000 && e2e::DifferentPixels(s, withPinyin, page) > 5000;
  }, &plain)) << "the reading window kept its pinyin";
  EXPECT_TRUE(program.Running());
}

INSTANTIATE_TEST_SUITE_P(Openbox, StudyTools, testing::Values(0, 3),
                         [](const testing::TestParamInfo<int>& i) { return "Skin" + std::to_string(i.param); });

}  // namespace
