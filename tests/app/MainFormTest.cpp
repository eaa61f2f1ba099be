#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "app/MainForm.h"
#include "app/reading/ReadingExtras.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"
#include "data/Query.h"
#include "tests/app/Reading.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

using app::TForm1;
using testing_support::ScriptedDialogs;

namespace {

QStringList Captions(const outbar::TDCOutBarVertListView* list) {
  QStringList out;
  for (int i = 0; i < list->ItemCount(); ++i) out << list->Item(i)->Caption();
  return out;
}

QStringList Rows(const toolkit::TListView* table, int column = 0) {
  QStringList out;
  for (int i = 0; i < table->Items().Count(); ++i) out << table->Items().Item(i)->ColumnText(column);
  return out;
}

class MainFormTest : public ::testing::Test {
 protected:
  explicit MainFormTest(const QByteArray& morePoems = {}) : fixture(10, morePoems) {}
  ReadingFixture fixture;
  std::unique_ptr<TForm1> form;

  void Create() {
    form = std::make_unique<TForm1>();
    form->DoCreate();
  }
  void ChooseAuthor(const QString& name) {
    const QStringList names = Captions(form->DCOutBarVertListView1);
    form->DCOutBarVertListView1->SetItemIndex(static_cast<int>(names.indexOf(name)));
    form->DCOutBarVertListView1ButtonClick(form->DCOutBarVertListView1, nullptr);
  }
  void SelectPoem(int row) {
    form->ListView1->ClearSelection();
    form->ListView1->SetSelected(form->ListView1->Items().Item(row));
  }
  QString Pane() const { return form->Memo1->Lines().Text(); }
  QStringList Errors() { return fixture.dialogs->Errors(); }
};

}  // namespace

TEST_F(MainFormTest, StartUpShowsTheFirstErasAuthorsWithoutSelectingIt) {
  Create();
  EXPECT_TRUE(Errors().isEmpty()) << Errors().join(u'|').toStdString();
  EXPECT_EQ(Captions(form->DCOutBarVertListView2), (QStringList{QStringLiteral("唐代"), QStringLiteral("宋代"), QStringLiteral("元代")}));
  EXPECT_EQ(form->DCOutBarVertListView2->ItemIndex(), -1);
  EXPECT_EQ(form->DCOutBarGroup2->Caption(), QStringLiteral("中国作品"));
  EXPECT_EQ(form->DCOutBarGroup1->Caption(), QStringLiteral("唐代"));
  EXPECT_EQ(Captions(form->DCOutBarVertListView1), (QStringList{QStringLiteral("李白"), QStringLiteral("杜甫"), QStringLiteral("王维")}));
  EXPECT_EQ(Rows(form->ListView2, 2), (QStringList{QStringLiteral("3 篇"), QStringLiteral("12 篇"), QStringLiteral("9 篇")}));
  EXPECT_FALSE(form->ListView2->isHidden());
  EXPECT_TRUE(form->ListView1->isHidden());
  EXPECT_TRUE(form->ADOQuery2()->Active());
  EXPECT_TRUE(form->StatusBar1->Panel(1).Text.endsWith(QStringLiteral("     VERSION: V2014 build 09.01")));
  EXPECT_EQ(form->Memo1->Lines().Strings(0), QStringLiteral("选择相应的朝代或者作者进入。"));
}

TEST_F(MainFormTest, AMissingEraCountIsShownAndTheWindowStillOpens) {
  fixture.WriteSetup(QStringLiteral("[item]\r\nfremdness=1\r\n"));
  Create();
  EXPECT_EQ(Errors(), QStringList{QStringLiteral("'' is not a valid integer value.")});
  EXPECT_EQ(form->DCOutBarVertListView2->ItemCount(), 0);
  EXPECT_EQ(Captions(form->DCOutBarVertListView1),
            (QStringList{QStringLiteral("屈原"), QStringLiteral("无名氏"), QStringLiteral("诗经"), QStringLiteral("项羽")}));
}

TEST_F(MainFormTest, ErasFollowTheSettingsFileAndEmptyErasClearTheAuthorLists) {
  Create();
  fixture.WriteSetup(QStringLiteral("[item]\r\nchina=1\r\nfremdness=2\r\n[fremdness]\r\n1=英国\r\n2=法国\r\n"));
  form->FlatSpeedButton2Click();
  EXPECT_EQ(form->DCOutBarGroup2->Caption(), QStringLiteral("外国作品"));
  EXPECT_EQ(Captions(form->DCOutBarVertListView2), (QStringList{QStringLiteral("英国"), QStringLiteral("法国")}));
  EXPECT_EQ(form->DCOutBarGroup1->Caption(), QStringLiteral("英国"));
  EXPECT_EQ(form->DCOutBarVertListView1->ItemCount(), 0);
  EXPECT_EQ(form->ListView2->Items().Count(), 0);
  // Choosing an era from the list runs the query again for that era.
  fixture.WriteSetup(QStringLiteral("[item]\r\nchina=2\r\n[china]\r\n1=元代\r\n2=宋代\r\n"));
  form->FlatSpeedButton1Click();
  form->DCOutBarVertListView2->SetItemIndex(1);
  form->DCOutBarVertListView2ButtonClick(nullptr, nullptr);
  EXPECT_EQ(form->DCOutBarGroup1->Caption(), QStringLiteral("宋代"));
  EXPECT_EQ(Rows(form->ListView2, 2), QStringList{QStringLiteral("0 篇")});  // a null count
}

TEST_F(MainFormTest, ChoosingAnAuthorShowsTheBiographyAndThePoems) {
  Create();
  ChooseAuthor(QStringLiteral("李白"));
  EXPECT_TRUE(form->ListView2->isHidden());
  EXPECT_FALSE(form->ListView1->isHidden());
  EXPECT_EQ(form->Panel4->Caption(), QStringLiteral(" 作家姓名：李白   生卒时间：701—762"));
  EXPECT_EQ(Pane(), QStringLiteral("李白传\r\n"));
  EXPECT_EQ(Rows(form->ListView1), (QStringList{QStringLiteral("静夜思"), QStringLiteral("同句甲"), QStringLiteral("同句乙")}));
  EXPECT_EQ(Rows(form->ListView1, 1)[0], QStringLiteral("五言绝句"));

  SelectPoem(0);
  EXPECT_EQ(form->Panel4->Caption(), QStringLiteral(" 作品名称：静夜思   作家：李白"));
  EXPECT_EQ(form->Label1->Caption(), QStringLiteral("什么是： 五言绝句 ？"));
  EXPECT_EQ(form->Label2->Caption(), QStringLiteral("五言绝句"));
  EXPECT_EQ(form->Memo1->Lines().Strings(1), QStringLiteral("举头望明月，低头思故乡。"));

  // Two poems with one first line each show their own text.
  SelectPoem(2);
  EXPECT_EQ(form->Panel4->Caption(), QStringLiteral(" 作品名称：同句乙   作家：李白"));
  EXPECT_EQ(Pane(), QStringLiteral("乙诗\r\n"));
  SelectPoem(1);
  EXPECT_EQ(Pane(), QStringLiteral("甲诗\r\n"));
  EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(MainFormTest, TheAuthorTableShowsTheChosenAuthorsBiography) {
  Create();
  form->ListView2->SetSelected(form->ListView2->Items().Item(1));
  EXPECT_EQ(form->Panel4->Caption(), QStringLiteral(" 作家姓名：杜甫   生卒时间：712—770"));
  EXPECT_EQ(Pane(), QStringLiteral("杜甫传\r\n"));
}

// A long info-bar text stops with an ellipsis before the form label, which
// keeps its place; a short one is shown whole.
TEST_F(MainFormTest, TheInfoBarTextStopsBeforeTheFormLabel) {
  Create();
  EXPECT_EQ(form->Label1->pos(), QPoint(456, 8));
  ChooseAuthor(QStringLiteral("李白"));
  SelectPoem(0);
  EXPECT_EQ(form->Panel4->ShownCaption(), form->Panel4->Caption());
  const QString longText = QStringLiteral(" 作品名称：自河南经乱，关内阻饥，兄弟离散，各在一处。因望月有感，聊书所怀，"
                                          "寄上浮梁大兄、於潜七兄、乌江十五兄，兼示符离及下邽弟妹   作家：白居易");
  form->Panel4->SetCaption(longText);
  const QString shown = form->Panel4->ShownCaption();
  EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
  const int end = form->Panel4->CaptionArea().left() + QFontMetrics(form->Panel4->font()).horizontalAdvance(shown);
  EXPECT_LT(end, form->Label1->x());
  EXPECT_GE(end, form->Label1->x() - 8 - QFontMetrics(form->Panel4->font()).horizontalAdvance(u'字'));
  EXPECT_EQ(form->Label1->pos(), QPoint(456, 8));
}

TEST_F(MainFormTest, TheFormLabelExplainsTheFormAndTurnsRed) {
  Create();
  form->Label1MouseMove({}, 1, 1);  // before any poem: the form name "诗词"
  EXPECT_EQ(form->Label1->toolTip(), QStringLiteral("诗与词的总称。"));
  EXPECT_EQ(form->Label1->FontColor(), platform::clRed);
  ChooseAuthor(QStringLiteral("李白"));
  SelectPoem(0);
  form->Label1MouseMove({}, 1, 1);
  EXPECT_EQ(form->Label1->toolTip(), QStringLiteral("四句，每句五字。"));
}

TEST_F(MainFormTest, StaleCursorsShowTheCursorsOwnErrors) {
  Create();
  ChooseAuthor(QStringLiteral("李白"));
  // An author search without hits leaves the poem table over an empty author set.
  form->ComboBox1->SetItemIndex(1);
  form->Edit1->SetText(QStringLiteral("nobody"));
  form->Button1Click();
  ASSERT_EQ(fixture.dialogs->shown.last().text, QStringLiteral("没有找到符合条件的记录"));
  EXPECT_EQ(Rows(form->ListView1).size(), 3);
  SelectPoem(0);
  EXPECT_EQ(Errors().last(), QStringLiteral("ADOQuery1: Field 'title' not found."));
  EXPECT_TRUE(Pane().isEmpty());
  // An empty result set with the fields shows the fixed texts with empty values.
  form->ComboBox1->SetItemIndex(0);
  form->Button1Click();
  SelectPoem(1);
  EXPECT_EQ(form->Panel4->Caption(), QStringLiteral(" 作品名称：   作家："));
  EXPECT_EQ(Pane(), QStringLiteral("\r\n"));
  form->ADOQuery1()->Close();
  toolkit::Dispatch(&TForm1::ListView1Click, form.get());
  EXPECT_EQ(Errors().last(), QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset."));
}

TEST_F(MainFormTest, SearchModesFillTheirTablesAfterTheFoundMessage) {
  Create();
  form->Edit1Click();
  EXPECT_TRUE(form->Edit1->text().isEmpty());
  form->Button1Click();  // empty keyword: nothing at all
  EXPECT_TRUE(fixture.dialogs->shown.isEmpty());
  form->Edit1->SetText(QStringLiteral(" "));  // a blank is a keyword like any other
  form->Button1Click();
  ASSERT_EQ(fixture.dialogs->shown.size(), 1);
  EXPECT_EQ(fixture.dialogs->shown.last().text, QStringLiteral("没有找到符合条件的记录"));

  form->Edit1->SetText(QStringLiteral("同"));
  form->Button1Click();
  EXPECT_EQ(fixture.dialogs->shown.last().text, QStringLiteral("共找到2条记录含有：\r\n同"));
  EXPECT_FALSE(form->ListView1->isHidden());
  EXPECT_TRUE(form->ListView2->isHidden());
  EXPECT_EQ(Rows(form->ListView1), (QStringList{QStringLiteral("同句甲"), QStringLiteral("同句乙")}));

  form->ComboBox1->SetItemIndex(2);
  form->Edit1->SetText(QStringLiteral("城春"));
  form->Button1Click();
  EXPECT_EQ(Rows(form->ListView1), QStringList{QStringLiteral("春望")});

  form->ComboBox1->SetItemIndex(1);
  form->Edit1->SetText(QStringLiteral("杜"));
  form->Button1Click();
  EXPECT_FALSE(form->ListView2->isHidden());
  EXPECT_EQ(Rows(form->ListView2), QStringList{QStringLiteral("杜甫")});
  EXPECT_EQ(Captions(form->DCOutBarVertListView1), QStringList{QStringLiteral("杜甫")});
  EXPECT_EQ(form->DCOutBarGroup1->Caption(), QStringLiteral("唐代"));  // keeps the era shown before

  const int shown = static_cast<int>(fixture.dialogs->shown.size());
  form->ComboBox1->SetText(QStringLiteral("typed"));  // no mode chosen
  form->Button1Click();
  EXPECT_EQ(fixture.dialogs->shown.size(), shown);
}

TEST_F(MainFormTest, HeaderClicksSortAlternatelyAcrossBothTables) {
  Create();
  form->ListView2ColumnClick(2);  // first sort descending, as text: 9, 3, 12
  EXPECT_EQ(Rows(form->ListView2, 2), (QStringList{QStringLiteral("9 篇"), QStringLiteral("3 篇"), QStringLiteral("12 篇")}));
  EXPECT_TRUE(form->SortAscending);
  ChooseAuthor(QStringLiteral("李白"));
  form->ListView1ColumnClick(0);  // the poem table now sorts ascending
  EXPECT_EQ(Rows(form->ListView1), (QStringList{QStringLiteral("静夜思"), QStringLiteral("同句甲"), QStringLiteral("同句乙")}));
  EXPECT_FALSE(form->SortAscending);
  form->ListView1ColumnClick(0);
  EXPECT_EQ(Rows(form->ListView1), (QStringList{QStringLiteral("同句乙"), QStringLiteral("同句甲"), QStringLiteral("静夜思")}));
  // Rows keep their records after sorting.
  SelectPoem(0);
  EXPECT_EQ(Pane(), QStringLiteral("乙诗\r\n"));
}

TEST_F(MainFormTest, LinkPromptsOpenOnlyOnYes) {
  Create();
  fixture.dialogs->answers = {platform::mrNo, platform::mrNo, platform::mrNo, platform::mrNo};
  form->FlatSpeedButton6Click();
  form->N10Click();
  form->N9Click();
  form->N12Click();
  EXPECT_TRUE(fixture.shell->calls.isEmpty());
  form->FlatSpeedButton6Click();
  form->N10Click();
  form->N9Click();
  form->N12Click();
  ASSERT_EQ(fixture.shell->calls.size(), 4);
  EXPECT_EQ(fixture.shell->calls[0].target, fixture.shell->calls[1].target);
  EXPECT_EQ(fixture.shell->calls[0].verb, QStringLiteral("open"));
  EXPECT_EQ(fixture.shell->calls[2].verb, QString());
  EXPECT_TRUE(fixture.shell->calls[2].target.startsWith(QStringLiteral("mailto:")));
  EXPECT_TRUE(fixture.shell->calls[2].target.endsWith(QStringLiteral("?subject=联系〖Cinnabarquillpad〗作者")));
  EXPECT_EQ(fixture.shell->calls[3].target, fixture.Path(QStringLiteral("TTS5.MSI")));
  const auto& prompts = fixture.dialogs->shown;
  EXPECT_EQ(prompts[3].text, QStringLiteral("是否确认？\r\n\r\n如果没有听到发音，请安装语音引擎"));
  EXPECT_EQ(prompts[3].dialogKind, platform::DialogKind::Confirmation);
  EXPECT_EQ(prompts[0].dialogKind, platform::DialogKind::Information);
}

TEST(SpeechText, ReplacesLatinFullStopsAndLeadsWithTheLanguageTag) {
  EXPECT_EQ(app::SpeechText(QStringLiteral("Mr. Li.\r\n")), QStringLiteral("<LANG LANGID=\"804\">Mr。 Li。\r\n"));
  EXPECT_EQ(app::SpeechText(QString()), QStringLiteral("<LANG LANGID=\"804\">"));
}

namespace {

// 李白's poems 第0首 ... 第359首, each with 月 in its text.
QByteArray ManyPoems() {
  QByteArray rows;
  for (int i = 0; i < 360; ++i)
    rows += "第" + QByteArray::number(i) + "首\t李白\t五言绝句\t月" + QByteArray::number(i) + "\t月" + QByteArray::number(i) + "诗\n";
  return rows;
}

class SteppedSearchTest : public MainFormTest {
 protected:
  SteppedSearchTest() : MainFormTest(ManyPoems()) {}

  void Search(int mode, const QString& keyword) {
    form->ComboBox1->SetItemIndex(mode);
    form->Edit1->SetText(keyword);
    form->Button1Click();
  }
  // Runs the event loop until the rows of the pending search are in.
  bool Settle() {
    for (int waited = 0; waited < 10000 && form->SearchPending(); ++waited) QTest::qWait(1);
    return !form->SearchPending();
  }
  // Searches, and runs the event loop until the found message has shown and
  // the poem table holds some of the rows, not yet all.
  bool SearchUntilSomeRows(int mode, const QString& keyword) {
    const auto messages = fixture.dialogs->shown.size();
    Search(mode, keyword);
    auto filling = [&] { return fixture.dialogs->shown.size() > messages && form->ListView1->Items().Count() >= 64; };
    for (int waited = 0; waited < 10000 && form->SearchPending() && !filling(); ++waited) QTest::qWait(1);
    return form->SearchPending() && filling();
  }
};

}  // namespace

// A search that works in short stretches, the event loop running in between,
// ends as the same search done at once: the same message, the same rows in
// the same order; choices made meanwhile see whole results.
TEST_F(SteppedSearchTest, ShortStretchesEndAsOneSearchDoneAtOnce) {
  Create();
  Search(2, QStringLiteral("月"));
  ASSERT_FALSE(form->SearchPending());
  const QStringList whole = Rows(form->ListView1), heads = Rows(form->ListView1, 2);
  ASSERT_EQ(whole.size(), 361);
  const QString message = fixture.dialogs->shown.last().text;
  EXPECT_EQ(message, QStringLiteral("共找到361条记录含有：\r\n月"));

  form->SetSearchStretch(0);
  const auto shownBefore = fixture.dialogs->shown.size();
  Search(2, QStringLiteral("月"));
  EXPECT_TRUE(form->SearchPending());
  ASSERT_TRUE(Settle());
  EXPECT_EQ(fixture.dialogs->shown.size(), shownBefore + 1);
  EXPECT_EQ(fixture.dialogs->shown.last().text, message);
  EXPECT_EQ(Rows(form->ListView1), whole);
  EXPECT_EQ(Rows(form->ListView1, 2), heads);
  EXPECT_TRUE(Errors().isEmpty()) << Errors().join(u'|').toStdString();

  // A row chosen while the rows come in shows its poem; the fill goes on from
  // its own record and the cursor stays on the chosen one.
  ASSERT_TRUE(SearchUntilSomeRows(2, QStringLiteral("月")));
  SelectPoem(5);
  EXPECT_TRUE(Errors().isEmpty()) << Errors().join(u'|').toStdString();
  EXPECT_EQ(Pane(), QStringLiteral("月4诗\r\n"));
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Rows(form->ListView1), whole);
  EXPECT_EQ(form->ADOQuery1()->RecNo(), 6);
  EXPECT_EQ(form->ADOQuery1()->FieldByName(QStringLiteral("content")).AsString(), QStringLiteral("月4诗"));

  // Sorting, keys in the table and other choices first let the search end.
  ASSERT_TRUE(SearchUntilSomeRows(2, QStringLiteral("月")));
  form->ListView1ColumnClick(2);
  EXPECT_FALSE(form->SearchPending());
  QStringList sorted = Rows(form->ListView1, 2), all = heads;
  EXPECT_NE(sorted, all);
  std::sort(sorted.begin(), sorted.end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(sorted, all);

  ASSERT_TRUE(SearchUntilSomeRows(2, QStringLiteral("月")));
  form->ListView1->SetItemIndex(0);
  QTest::keyClick(form->ListView1, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_FALSE(form->SearchPending());
  EXPECT_EQ(form->ListView1->SelCount(), 361);

  ASSERT_TRUE(SearchUntilSomeRows(2, QStringLiteral("月")));
  ChooseAuthor(QStringLiteral("杜甫"));
  EXPECT_FALSE(form->SearchPending());
  EXPECT_EQ(Rows(form->ListView1), QStringList{QStringLiteral("春望")});
  EXPECT_EQ(fixture.dialogs->shown.last().text, message);

  // The author search fills the author bar and table the same way.
  Search(1, QStringLiteral("杜"));
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Rows(form->ListView2), QStringList{QStringLiteral("杜甫")});
  EXPECT_EQ(Captions(form->DCOutBarVertListView1), QStringList{QStringLiteral("杜甫")});
  EXPECT_TRUE(Errors().isEmpty()) << Errors().join(u'|').toStdString();
}

// Without the pointer: Tab walks every control of the window in screen order,
// header buttons and speech buttons included, and Space on a header button
// presses it as a click does.
TEST_F(MainFormTest, TabWalksTheWindowInScreenOrderAndSpacePressesAButton) {
  Create();
  form->Show();
  form->activateWindow();
  QApplication::processEvents();
  form->FlatSpeedButton1->setFocus(Qt::TabFocusReason);
  QStringList walked;
  for (int i = 0; i < 17; ++i) {
    QWidget* now = QApplication::focusWidget();
    if (i > 0) QTest::keyClick(now ? now : form.get(), Qt::Key_Tab);
    now = QApplication::focusWidget();
    walked << (now ? now->objectName() : QStringLiteral("(none)"));
  }
  EXPECT_EQ(walked.join(u' '), QStringLiteral("FlatSpeedButton1 FlatSpeedButton2 FlatSpeedButton4 FlatSpeedButton5 "
                                              "FlatSpeedButton6 ComboBox1 Edit1 Button1 DCOutBarVertListView2 "
                                              "DCOutBarVertListView1 ListView2 Memo1 qexbtn1 qexbtn2 qexbtn3 qexbtn4 "
                                              "FlatSpeedButton1"));
  // Shift+Tab goes back: from the first header button to the last speech button.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), form->qexbtn4);
  // Space on 外国作品 fills the era bar with the foreign countries.
  form->FlatSpeedButton2->setFocus(Qt::TabFocusReason);
  QTest::keyClick(form->FlatSpeedButton2, Qt::Key_Space);
  EXPECT_EQ(Captions(form->DCOutBarVertListView2), QStringList{QStringLiteral("英国")});
  EXPECT_TRUE(Errors().isEmpty());
}

namespace {

// 月 at the first, second and fifth place of three lines ending in ！, ； and 。
class LineSearchTest : public MainFormTest {
 protected:
  LineSearchTest()
      : MainFormTest("月夜\t杜甫\t五言律诗\t今夜鄜州月\t今夜鄜州月，闺中只独看！明月照高楼；月出惊山鸟。\n") {}
  QStringList Search(const QString& place) {
    form->ComboBox1->SetItemIndex(3);
    form->Edit1->SetText(QStringLiteral("月"));
    form->Edit2->SetText(place);
    form->Button1Click();
    form->FinishSearch();
    return Rows(form->ListView1);
  }
};

}  // namespace

// 飞花令: one row per line that holds the keyword, at the place asked for
// (Chinese characters counted), the line, its title and its author; a chosen
// row shows its poem with the line marked, a CR LF before it counted once.
// 注音 changes none of it.
TEST_F(LineSearchTest, LinesAreFoundByPlaceAndTheChosenOneIsMarked) {
  Create();
  const QString lines[] = {QStringLiteral("今夜鄜州月，闺中只独看！"), QStringLiteral("明月照高楼；"),
                           QStringLiteral("月出惊山鸟。"), QStringLiteral("床前明月光，疑是地上霜。"),
                           QStringLiteral("举头望明月，低头思故乡。")};
  struct Case {
    const char* place;
    QStringList rows;
  } cases[] = {
      {"1", {lines[2]}},
      {"2", {lines[1]}},
      {"4", {lines[3]}},
      {"5", {lines[4], lines[0]}},
      {"", {lines[4], lines[3], lines[2], lines[1], lines[0]}},
      {"0", {lines[4], lines[3], lines[2], lines[1], lines[0]}},
  };
  for (const Case& c : cases) {
    QStringList rows = Search(QString::fromLatin1(c.place));
    QStringList want = c.rows;
    std::sort(rows.begin(), rows.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(rows, want) << "第" << c.place << "字";
  }
  // Nothing at the sixth place: the message, and the table keeps its rows as the other modes' does.
  const QStringList before = Rows(form->ListView1);
  EXPECT_EQ(Search(QStringLiteral("6")), before);
  EXPECT_EQ(fixture.dialogs->shown.last().text, QStringLiteral("没有找到符合条件的记录"));

  ASSERT_EQ(Search(QStringLiteral("5")).size(), 2);
  const int second = static_cast<int>(Rows(form->ListView1).indexOf(lines[4]));
  ASSERT_GE(second, 0);
  EXPECT_EQ(Rows(form->ListView1, 1)[second], QStringLiteral("静夜思"));
  EXPECT_EQ(Rows(form->ListView1, 2)[second], QStringLiteral("李白"));
  SelectPoem(second);
  const QString pane = form->Memo1->toPlainText();
  ASSERT_EQ(form->Memo1->Highlights().size(), 1);
  EXPECT_EQ(form->Memo1->Highlights()[0].start, pane.indexOf(lines[4]));
  EXPECT_EQ(form->Memo1->Highlights()[0].length, lines[4].size());

  form->Reading()->PinyinItem->trigger();
  ASSERT_TRUE(form->Reading()->Pinyin().On());
  EXPECT_EQ(form->Memo1->toPlainText(), pane);
  EXPECT_EQ(Search(QStringLiteral("2")), QStringList{lines[1]});
  SelectPoem(0);
  EXPECT_EQ(form->Memo1->Lines().Text(), QStringLiteral("今夜鄜州月，闺中只独看！明月照高楼；月出惊山鸟。\r\n"));
  form->Reading()->PinyinItem->trigger();
  EXPECT_FALSE(form->Reading()->Pinyin().On());
}
