// 繁体显示 on the main window: the reading path gives the same cursor positions
// and records as without it, what the reader reads is shown in traditional
// script, traditional keywords find what their simplified forms find, and
// read-aloud reads what the pane shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QInputMethodEvent>
#include <QMenuBar>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/styled/FlatHint.h"
#include "data/Query.h"
#include "platform/Speech.h"
#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QRawFont>
#include <QTextBlock>
#include <QTextLayout>

#include "tests/reading/ReadingForm.h"
#include "controls/styled/FlatSpeedButton.h"
#include "tip/TipForm.h"
#include "toolkit/DBCtrls.h"
#include "toolkit/HintManager.h"
#include "toolkit/Panel.h"
#include "toolkit/SpVoice.h"
#include "toolkit/Exception.h"

using reading_test::Captions;
using reading_test::ReadingForm;
using reading_test::Rows;

namespace {

// Everything the handlers leave behind, apart from how it is painted.
QStringList Snapshot(ReadingForm& r) {
  app::TForm1& f = *r.form;
  data::TADOQuery& q = *f.ADOQuery1();
  QStringList s;
  s << QStringLiteral("cursor %1 %2 %3 %4").arg(q.Active()).arg(q.Generation()).arg(q.Active() ? q.RecNo() : -2).arg(q.Eof());
  if (q.Active() && q.RecNo() >= 1)
    for (const QString& field : q.FieldNames()) s << field + u'=' + q.FieldByName(field).AsString();
  for (const toolkit::TListView* table : {f.ListView1, f.ListView2}) {
    s << QStringLiteral("table %1 %2").arg(table->isHidden()).arg(table->ItemIndex());
    for (int c = 0; c < 3; ++c) s << Rows(table, c).join(u'|');
  }
  s << Captions(f.DCOutBarVertListView1).join(u'|') << Captions(f.DCOutBarVertListView2).join(u'|');
  s << QString::number(f.DCOutBarVertListView1->ItemIndex()) << QString::number(f.DCOutBarVertListView2->ItemIndex());
  s << f.DCOutBarGroup1->Caption() << f.DCOutBarGroup2->Caption();
  s << f.Panel4->Caption() << f.Label1->Caption() << f.Label2->Caption() << f.Label1->Hint();
  s << QString::number(f.SortAscending);
  s << r.Errors();
  for (const auto& shown : r.fixture.dialogs->shown) s << shown.text;
  return s;
}

// The reading path, step by step, with a snapshot after each step. `between`
// runs before every step.
QList<QStringList> RunReadingPath(ReadingForm& r, const std::function<void()>& between) {
  QList<QStringList> snapshots;
  auto step = [&](const std::function<void()>& action) {
    between();
    action();
    snapshots << Snapshot(r);
  };
  app::TForm1& f = *r.form;
  step([] {});
  step([&] { r.ChooseEra(QStringLiteral("宋代")); });
  step([&] { r.ChooseEra(QStringLiteral("唐代")); });
  step([&] { f.ListView2->SetSelected(f.ListView2->Items().Item(1)); });
  step([&] { f.ListView2ColumnClick(2); });
  step([&] { f.ListView2Click(); });
  step([&] { r.ChooseAuthor(QStringLiteral("李白")); });
  step([&] { r.SelectPoem(QStringLiteral("静夜思")); });
  step([&] { r.SelectPoem(QStringLiteral("同句乙")); });
  step([&] { f.ListView1Click(); });
  step([&] { f.Label1MouseMove({}, 2, 2); });
  step([&] { f.ListView1ColumnClick(0); });
  step([&] { r.SelectPoem(QStringLiteral("同句甲")); });
  step([&] { r.Search(0, QStringLiteral("春")); });
  step([&] { r.SelectPoem(QStringLiteral("春望")); });
  step([&] { r.Search(1, QStringLiteral("苏")); });
  step([&] { f.ListView2->SetSelected(f.ListView2->Items().Item(0)); });
  step([&] { r.ChooseAuthor(QStringLiteral("苏轼")); });
  step([&] { r.SelectPoem(QStringLiteral("白发吟")); });
  step([&] { r.Search(2, QStringLiteral("nothing")); });
  step([&] { f.ListView1Click(); });
  step([&] { r.Search(1, QStringLiteral("nobody")); });
  step([&] { r.SelectPoem(QStringLiteral("白发吟")); });  // the cursor's own error
  step([&] { f.FlatSpeedButton2Click(); });
  return snapshots;
}

}  // namespace

TEST(TraditionalReadingTest, TheReadingPathGivesTheSameCursorsAndRecordsWithTraditionalScript) {
  QList<QStringList> plain, traditional, toggled;
  {
    ReadingForm r;
    plain = RunReadingPath(r, [] {});
  }
  {
    ReadingForm r;
    r.Traditional(true);
    traditional = RunReadingPath(r, [] {});
    EXPECT_TRUE(r.Extras().Traditional().On());
  }
  {
    // Switching itself, between any two steps, moves nothing either.
    ReadingForm r;
    bool on = false;
    toggled = RunReadingPath(r, [&] { r.Traditional(on = !on); });
  }
  ASSERT_EQ(plain.size(), traditional.size());
  for (qsizetype i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(traditional[i], plain[i]) << "step " << i;
    EXPECT_EQ(toggled[i], plain[i]) << "step " << i;
  }
  // The path did reach every kind of outcome, errors included.
  EXPECT_TRUE(plain.last().contains(QStringLiteral("ADOQuery1: Field 'title' not found.")));
  EXPECT_TRUE(plain[18].contains(QStringLiteral("title=白发吟")));
  EXPECT_TRUE(plain[20].contains(QStringLiteral(" 作品名称：   作家：")));
}

TEST(TraditionalReadingTest, WhatTheReaderReadsIsShownInTraditionalScript) {
  ReadingForm r;
  app::TForm1& f = *r.form;
  r.ChooseAuthor(QStringLiteral("李白"));
  r.SelectPoem(QStringLiteral("静夜思"));
  f.Label1MouseMove({}, 1, 1);
  r.Traditional(true);
  EXPECT_TRUE(r.Extras().TraditionalItem->isChecked());
  EXPECT_EQ(f.Panel4->ShownCaption(), QStringLiteral(" 作品名稱：靜夜思   作家：李白"));
  EXPECT_EQ(f.Panel4->Caption(), QStringLiteral(" 作品名称：静夜思   作家：李白"));
  EXPECT_EQ(f.Label1->ShownCaption(), QStringLiteral("什麼是： 五言絕句 ？"));
  EXPECT_EQ(f.Label1->width(), f.Label1->TextSize().width());
  EXPECT_EQ(r.Pane(), QStringLiteral("牀前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。\r\n"));
  for (const toolkit::TListView* table : {f.ListView1, f.ListView2}) {
    ASSERT_TRUE(table->DisplayText());
    EXPECT_EQ(table->DisplayText()(QStringLiteral("静夜思")), QStringLiteral("靜夜思"));
  }
  EXPECT_EQ(Rows(f.ListView1)[0], QStringLiteral("静夜思"));  // stored as it came

  // The pane follows the handlers while on; back off, every control shows the stored text.
  r.SelectPoem(QStringLiteral("同句乙"));
  EXPECT_EQ(r.Pane(), QStringLiteral("乙詩\r\n"));
  r.Traditional(false);
  EXPECT_FALSE(r.Extras().TraditionalItem->isChecked());
  EXPECT_EQ(r.Pane(), QStringLiteral("乙诗\r\n"));
  EXPECT_EQ(f.Panel4->ShownCaption(), f.Panel4->Caption());
  EXPECT_FALSE(f.ListView1->DisplayText());
  EXPECT_TRUE(r.Errors().isEmpty()) << r.Errors().join(u'|').toStdString();
}

TEST(TraditionalReadingTest, SwitchingBackShowsTheStoredTextNotAConversionOfTheShownOne) {
  ReadingForm r;
  r.ChooseEra(QStringLiteral("宋代"));
  r.ChooseAuthor(QStringLiteral("苏轼"));
  r.SelectPoem(QStringLiteral("白发吟"));
  const QString stored = r.Pane();
  ASSERT_EQ(stored, QStringLiteral("白髮三千丈，缘愁似个长。\r\n后来头发白。\r\n"));
  r.Traditional(true);
  EXPECT_EQ(r.Pane(), QStringLiteral("白髮三千丈，緣愁似個長。\r\n後來頭髮白。\r\n"));
  r.Traditional(false);
  // A conversion back would have made 髮 into 发.
  EXPECT_EQ(r.Pane(), stored);
}

TEST(TraditionalReadingTest, WhatTheReaderTypedInThePaneStaysTheReaders) {
  ReadingForm r;
  r.ChooseAuthor(QStringLiteral("李白"));
  r.SelectPoem(QStringLiteral("静夜思"));
  r.Traditional(true);
  // The reader adds a line of their own and edits the first, through the input method.
  toolkit::TMemo* pane = r.form->Memo1;
  auto type = [pane](const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(pane, &commit);
  };
  pane->moveCursor(QTextCursor::End);
  type(QStringLiteral("我读过"));
  pane->moveCursor(QTextCursor::Start);
  type(QStringLiteral("甲"));
  EXPECT_EQ(r.Pane(), QStringLiteral("甲牀前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。\r\n我读过"));
  r.Traditional(false);
  EXPECT_EQ(r.Pane(), QStringLiteral("甲牀前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。\r\n我读过"));
  // Shown again, the reader's own lines are converted like the rest.
  r.Traditional(true);
  EXPECT_EQ(r.Pane(), QStringLiteral("甲牀前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。\r\n我讀過"));
}

TEST(TraditionalReadingTest, TraditionalKeywordsFindWhatTheirSimplifiedFormsFind) {
  struct Case {
    int mode;
    QString simplified, traditional;
  };
  const QList<Case> cases = {{0, QStringLiteral("静夜"), QStringLiteral("靜夜")},
                             {1, QStringLiteral("苏轼"), QStringLiteral("蘇軾")},
                             {2, QStringLiteral("举头望"), QStringLiteral("舉頭望")}};
  for (const Case& c : cases) {
    ReadingForm plain;
    plain.Search(c.mode, c.simplified);
    ReadingForm shown;
    shown.Traditional(true);
    shown.Search(c.mode, c.traditional);
    const toolkit::TListView* table = c.mode == 1 ? plain.form->ListView2 : plain.form->ListView1;
    const toolkit::TListView* other = c.mode == 1 ? shown.form->ListView2 : shown.form->ListView1;
    ASSERT_EQ(Rows(table).size(), 1) << c.mode;
    EXPECT_EQ(Rows(other), Rows(table)) << c.mode;
    EXPECT_EQ(shown.form->ADOQuery1()->RecordCount(), plain.form->ADOQuery1()->RecordCount());
    // The found message names the keyword as the reader typed it.
    EXPECT_EQ(shown.fixture.dialogs->shown.last().text, QStringLiteral("共找到1条记录含有：\r\n") + c.traditional);
  }
  // Without traditional script the program is as it was: the traditional form finds nothing.
  ReadingForm before;
  before.Search(2, QStringLiteral("舉頭望"));
  EXPECT_EQ(before.fixture.dialogs->shown.last().text, QStringLiteral("没有找到符合条件的记录"));
}

TEST(TraditionalReadingTest, TheFormLabelsHintIsShownConverted) {
  ReadingForm r;
  app::TForm1& f = *r.form;
  f.Label1MouseMove({}, 1, 1);  // before any poem: the form "诗词"
  toolkit::HintManager& hints = toolkit::TheHintManager();
  auto shownHint = [&](QWidget* control) {
    QString text = control->toolTip();
    bool canShow = true;
    toolkit::THintInfo info;
    info.HintControl = control;
    hints.OnShowHint(text, canShow, info);
    return text;
  };
  EXPECT_EQ(shownHint(f.Label1), QStringLiteral("诗与词的总称。"));
  r.Traditional(true);
  EXPECT_EQ(shownHint(f.Label1), QStringLiteral("詩與詞的總稱。"));
  EXPECT_EQ(f.Label1->Hint(), QStringLiteral("诗与词的总称。"));  // kept as read from the format table
  f.Edit1->setToolTip(QStringLiteral("搜索关键字"));
  EXPECT_EQ(shownHint(f.Edit1), QStringLiteral("搜索关键字"));  // other hints are not the reader's text
  r.Traditional(false);
  EXPECT_EQ(shownHint(f.Label1), QStringLiteral("诗与词的总称。"));
}

TEST(TraditionalReadingTest, ReadAloudReadsWhatThePaneShows) {
  ReadingForm r;
  qputenv("CQ_SPEECH_WAV", r.fixture.Path(QStringLiteral("speech.wav")).toUtf8());
  qputenv("CQ_SPEECH_WAV_SPEED", "0");
  r.ChooseAuthor(QStringLiteral("李白"));
  r.SelectPoem(QStringLiteral("静夜思"));
  r.Traditional(true);
  r.form->qexbtn1Click();
  ASSERT_TRUE(r.form->SpVoice1->Connected()) << r.Errors().join(u'|').toStdString();
  const auto voice = r.form->SpVoice1->DefaultInterface();
  QTRY_COMPARE_WITH_TIMEOUT(voice->Spoken().size(), 1, 10000);
  EXPECT_EQ(voice->Spoken()[0].text, QStringLiteral("牀前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。\r\n"));
  r.form->qexbtn4Click();
  qunsetenv("CQ_SPEECH_WAV");
  qunsetenv("CQ_SPEECH_WAV_SPEED");
}

TEST(TraditionalReadingTest, TheReadingMenuFollowsTheSecondMenuAndStartsUncheckedEachRun) {
  for (int run = 0; run < 2; ++run) {
    ReadingForm r;
    QStringList menus;
    for (QAction* a : r.form->Menu()->actions()) menus << a->text();
    // 收藏, the reader's anthology, stands beside 阅读.
    EXPECT_EQ(menus, (QStringList{QStringLiteral("功能"), QStringLiteral("菜单"), QStringLiteral("阅读"), QStringLiteral("收藏"),
                                  QStringLiteral("相关网站")}));
    QStringList entries;
    for (QAction* a : r.form->ReadingMenu->actions()) entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(entries, (QStringList{QStringLiteral("繁体显示"), QStringLiteral("注音"), QStringLiteral("竖排阅读"),
                                    QStringLiteral("-"), QStringLiteral("打印…"), QStringLiteral("导出 PDF…")}));
    EXPECT_TRUE(r.Extras().TraditionalItem->isCheckable());
    EXPECT_FALSE(r.Extras().TraditionalItem->isChecked());
    EXPECT_TRUE(r.Extras().PinyinItem->isCheckable());
    EXPECT_FALSE(r.Extras().PinyinItem->isChecked());
    EXPECT_FALSE(r.Extras().Pinyin().On());
    const QString setup = r.fixture.Setup();
    // Chosen through the menu entry itself, as the reader does.
    r.Extras().TraditionalItem->trigger();
    EXPECT_TRUE(r.Extras().Traditional().On());
    EXPECT_EQ(r.fixture.Setup(), setup);  // nothing is written down
  }
}

TEST(TraditionalReadingTest, ASwitchThatCannotLoadItsDictionariesLeavesEverythingAsStored) {
  reading::ScriptConverter broken("no-such-profile.json");
  toolkit::TPanel info;
  info.SetCaption(QStringLiteral("静夜思"));
  reading::ReadingTargets targets;
  targets.infoBar = &info;
  reading::TraditionalDisplay display(targets, broken);
  EXPECT_THROW(display.SetOn(true), toolkit::Exception);
  EXPECT_FALSE(display.On());
  EXPECT_EQ(info.ShownCaption(), QStringLiteral("静夜思"));
  EXPECT_EQ(display.Shown(QStringLiteral("静夜思")), QStringLiteral("静夜思"));
  EXPECT_EQ(display.StoredKeyword(QStringLiteral("靜夜")), QStringLiteral("靜夜"));
}

// Shown in traditional script, the pane's lines keep one height: its face
// holds 爲 and every other character of the text, so no line falls back to
// a taller face for one character. Switched off, every target has its own
// font back.
TEST(TraditionalReadingTest, TraditionalTextKeepsOneLineHeightInAFaceThatHoldsIt) {
  ReadingForm r;
  app::TForm1& f = *r.form;
  const QFont paneFont = f.Memo1->font(), tableFont = f.ListView1->font();
  r.Traditional(true);
  f.Memo1->SetText(QStringLiteral("天生我材必有用，\r\n为君持酒劝斜阳。\r\n十年磨一剑，\r\n静夜思"));
  ASSERT_EQ(r.Pane(), QStringLiteral("天生我材必有用，\r\n爲君持酒勸斜陽。\r\n十年磨一劍，\r\n靜夜思"));
  const QRawFont face = QRawFont::fromFont(f.Memo1->font());
  QList<qreal> heights;
  for (QTextBlock b = f.Memo1->document()->begin(); b.isValid(); b = b.next()) {
    f.Memo1->document()->documentLayout()->blockBoundingRect(b);  // lays the block out
    ASSERT_GT(b.layout()->lineCount(), 0);
    heights << b.layout()->lineAt(0).height();
    for (const QChar c : b.text()) EXPECT_TRUE(face.supportsCharacter(c)) << QString(c).toStdString();
  }
  ASSERT_EQ(heights.size(), 4);
  for (const qreal h : heights) EXPECT_EQ(h, heights[0]) << heights[1];
  // The tables keep their kai face in its TW forms, and so their row height.
  EXPECT_EQ(QFontInfo(f.ListView1->font()).family(), QStringLiteral("AR PL UKai TW"));
  EXPECT_EQ(QFontMetrics(f.ListView1->font()).height(), QFontMetrics(tableFont).height());
  r.Traditional(false);
  EXPECT_EQ(f.Memo1->font(), paneFont);
  EXPECT_EQ(f.ListView1->font(), tableFont);
  EXPECT_TRUE(r.Errors().isEmpty()) << r.Errors().join(u'|').toStdString();
}

// The header buttons' captions and the daily tip window's title and text are
// shown converted too, and back again; their stored texts stay as they were.
TEST(TraditionalReadingTest, HeaderButtonsAndTheTipWindowFollowTheScript) {
  ReadingForm r;
  app::TForm1& f = *r.form;
  tip::TForm2 tips;
  tips.DoCreate();
  r.Extras().SetTipTexts(tips.DBText1, tips.DBMemo1);
  r.Traditional(true);
  EXPECT_EQ(f.FlatSpeedButton2->ShownCaption(), QStringLiteral("外國作品"));
  EXPECT_EQ(f.FlatSpeedButton4->ShownCaption(), QStringLiteral("軟件設置"));
  EXPECT_EQ(f.FlatSpeedButton2->Caption(), QStringLiteral("外国作品"));
  EXPECT_EQ(tips.DBMemo1->Lines().Text(), QStringLiteral("第1條"));
  EXPECT_EQ(tips.DBText1->ShownCaption(), QStringLiteral("T1"));
  tips.FlatSpeedButton2Click();  // the next tip is shown converted as it comes
  EXPECT_EQ(tips.DBMemo1->Lines().Text(), QStringLiteral("第2條"));
  r.Traditional(false);
  EXPECT_EQ(f.FlatSpeedButton2->ShownCaption(), QStringLiteral("外国作品"));
  EXPECT_EQ(tips.DBMemo1->Lines().Text(), QStringLiteral("第2条"));
  EXPECT_TRUE(r.Errors().isEmpty()) << r.Errors().join(u'|').toStdString();
}
