// The reader's anthology in the main window: keeping the poem shown and its
// mark, the kept poems listed (one the library lacks greyed), the anthology
// written out in the format its file name asks for, the history, the random
// poem's scope, the search marks with F3 stepping, and reader data that
// cannot be kept.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/anthology/AnthologyExport.h"
#include "app/anthology/AnthologyExtras.h"
#include "app/anthology/ReaderData.h"
#include "data/ReaderStore.h"
#include "tests/reading/ExternalTools.h"
#include "tests/support/TestSupport.h"
#include "tests/reading/ReadingForm.h"
#include "toolkit/Panel.h"

namespace {

using reading_test::Rows;

const QString kQuietNight = QStringLiteral("床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。");
const QString kSpringView = QStringLiteral("国破山河在，城春草木深。");

// The pane's lines as the pane gives them back: each ends with a line break.
QString AsLines(const QString& text) { return text + QStringLiteral("\r\n"); }

// A kept poem that no edition of the test library holds.
data::PoemRef LostPoem() {
  return {QStringLiteral("李白"), QStringLiteral("将进酒"), data::PoemTextHash(QStringLiteral("君不见黄河之水天上来")),
          QStringLiteral("古体诗"), QStringLiteral("君不见黄河之水天上来")};
}

class AnthologyWindow : public ::testing::Test {
 protected:
  reading_test::ReadingForm w;

  QString ReaderFile() const { return w.fixture.Path(QStringLiteral("reader.db")); }
  std::unique_ptr<data::ReaderStore> Store() const { return data::ReaderStore::Open(ReaderFile()); }
  // Shows a poem as a reader does: the author in the bar, then the row.
  void Show(const QString& author, const QString& title) {
    if (author == QStringLiteral("苏轼")) w.ChooseEra(QStringLiteral("宋代"));
    else if (reading_test::Captions(w.form->DCOutBarVertListView1).indexOf(author) < 0) w.ChooseEra(QStringLiteral("唐代"));
    w.ChooseAuthor(author);
    w.SelectPoem(title);
    QCoreApplication::processEvents();  // the history follows the handler
  }
  bool MarkShown() const { return A().KeptMark()->isVisibleTo(w.form->Panel4); }
  QStringList History() const {
    QStringList titles;
    for (const data::ReaderEntry& e : Store()->History()) titles << e.poem.title;
    return titles;
  }
  std::vector<bool> Greyed() {
    std::vector<bool> out;
    const toolkit::TListView* t = w.form->ListView1;
    for (int i = 0; i < t->Items().Count(); ++i) out.push_back(t->CellDress().greyed(t->Items().Item(i)));
    return out;
  }
  QList<QPair<int, int>> PaneMarks() const {
    QList<QPair<int, int>> marks;
    for (const toolkit::TMemo::Highlight& h : w.form->Memo1->Highlights()) marks.append({h.start, h.length});
    return marks;
  }
  QList<toolkit::TTextMark> CellMarks(toolkit::TListView* table, int row, int column) const {
    const toolkit::TListItem* item = table->Items().Item(row);
    return table->CellDress().marks(item, column, table->DisplayText() ? table->DisplayText()(item->ColumnText(column))
                                                                      : item->ColumnText(column));
  }
  anthology::AnthologyExtras& A() const { return *w.form->Anthology(); }
};

TEST_F(AnthologyWindow, KeepingThePoemShownTogglesItAndMarksTheInfoBar) {
  EXPECT_FALSE(QFileInfo::exists(ReaderFile())) << "the reader's data is opened when first needed, not at start-up";
  EXPECT_FALSE(A().KeepItem->isEnabled());
  EXPECT_EQ(A().KeepItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
  Show(QStringLiteral("李白"), QStringLiteral("静夜思"));
  ASSERT_TRUE(A().KeepItem->isEnabled());
  EXPECT_FALSE(A().KeepItem->isChecked());
  EXPECT_FALSE(MarkShown());
  A().KeepItem->trigger();
  EXPECT_TRUE(A().KeepItem->isChecked());
  ASSERT_TRUE(MarkShown());
  // At the info bar's right end.
  const QRect mark = A().KeptMark()->geometry();
  EXPECT_EQ(mark.left() + mark.width(), w.form->Panel4->width() - 10);
  EXPECT_EQ(A().KeptMark()->Caption(), QStringLiteral("★ 已收藏"));
  std::vector<data::ReaderEntry> kept = Store()->Favourites();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].poem.author, QStringLiteral("李白"));
  EXPECT_EQ(kept[0].poem.form, QStringLiteral("五言绝句"));
  EXPECT_EQ(kept[0].poem.head, QStringLiteral("床前明月光"));
  EXPECT_EQ(kept[0].poem.textHash, data::PoemTextHash(kQuietNight));
  // Another poem is not kept; coming back shows the mark again.
  Show(QStringLiteral("杜甫"), QStringLiteral("春望"));
  EXPECT_FALSE(A().KeepItem->isChecked());
  EXPECT_FALSE(MarkShown());
  Show(QStringLiteral("李白"), QStringLiteral("静夜思"));
  EXPECT_TRUE(MarkShown());
  A().KeepItem->trigger();
  EXPECT_FALSE(MarkShown());
  EXPECT_TRUE(Store()->Favourites().empty());
  // A biography is no poem to keep.
  w.ChooseAuthor(QStringLiteral("杜甫"));
  EXPECT_FALSE(A().KeepItem->isEnabled());
  A().KeepItem->trigger();
  EXPECT_TRUE(Store()->Favourites().empty());
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

TEST_F(AnthologyWindow, KeptPoemsListInTheOrderKeptAndOneTheLibraryLacksIsGreyed) {
  Show(QStringLiteral("杜甫"), QStringLiteral("春望"));
  A().KeepItem->trigger();
  Show(QStringLiteral("李白"), QStringLiteral("静夜思"));
  A().KeepItem->trigger();
  Store()->ToggleFavourite(LostPoem());
  w.ChooseEra(QStringLiteral("宋代"));  // the author table shows
  A().KeptItem->trigger();
  EXPECT_FALSE(w.form->ListView1->isHidden());
  EXPECT_TRUE(w.form->ListView2->isHidden());
  EXPECT_EQ(Rows(w.form->ListView1),
            (QStringList{QStringLiteral("春望"), QStringLiteral("静夜思"), QStringLiteral("将进酒（当前诗库中没有）")}));
  EXPECT_EQ(Rows(w.form->ListView1, 2),
            (QStringList{QStringLiteral("国破山河在"), QStringLiteral("床前明月光"), QStringLiteral("君不见黄河之水天上来")}));
  EXPECT_EQ(Greyed(), (std::vector<bool>{false, false, true}));
  w.SelectPoem(QStringLiteral("静夜思"));
  EXPECT_EQ(w.Pane(), AsLines(kQuietNight));
  EXPECT_EQ(w.form->Panel4->Caption(), QStringLiteral(" 作品名称：静夜思   作家：李白"));
  EXPECT_EQ(w.form->Label1->Caption(), QStringLiteral("什么是： 五言绝句 ？"));
  EXPECT_TRUE(A().KeepItem->isChecked());
  w.SelectPoem(QStringLiteral("将进酒（当前诗库中没有）"));
  EXPECT_EQ(w.Pane(), AsLines(QStringLiteral("君不见黄河之水天上来\r\n\r\n") + anthology::MissingNote()));
  EXPECT_EQ(w.form->Panel4->Caption(), QStringLiteral(" 作品名称：将进酒   作家：李白"));
  EXPECT_EQ(w.form->Label1->Caption(), QStringLiteral("什么是： 古体诗 ？"));
  EXPECT_TRUE(MarkShown());
  // Sorted like any result: rows keep their poems, the greyed one its grey.
  w.form->ListView1ColumnClick(0);
  EXPECT_EQ(Rows(w.form->ListView1, 1), (QStringList{QStringLiteral("五言绝句"), QStringLiteral("古体诗"), QStringLiteral("五言律诗")}));
  EXPECT_EQ(Greyed(), (std::vector<bool>{false, true, false}));
  w.SelectPoem(QStringLiteral("春望"));
  EXPECT_EQ(w.Pane(), AsLines(kSpringView));
  // The lost poem can be let go from its row.
  w.SelectPoem(QStringLiteral("将进酒（当前诗库中没有）"));
  A().KeepItem->trigger();
  EXPECT_EQ(Store()->Favourites().size(), 2u);
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

TEST_F(AnthologyWindow, TheAnthologyIsWrittenInTheFormatItsFileNameAsksFor) {
  QString asked;
  // Nothing kept: the reader is told, and no file is asked for.
  bool askedForFile = false;
  A().AskExportFile = [&](const QString&) {
    askedForFile = true;
    return asked;
  };
  A().ExportItem->trigger();
  EXPECT_FALSE(askedForFile);
  ASSERT_FALSE(w.fixture.dialogs->shown.isEmpty());
  EXPECT_EQ(w.fixture.dialogs->shown.last().text, QStringLiteral("还没有收藏的作品。"));

  Show(QStringLiteral("李白"), QStringLiteral("静夜思"));
  A().KeepItem->trigger();
  Store()->ToggleFavourite(LostPoem());
  const QString text = QStringLiteral("我的收藏（2 首）\n\n静夜思\n〔唐代〕李白 · 五言绝句\n床前明月光，疑是地上霜。\n"
                                      "举头望明月，低头思故乡。\n\n将进酒\n李白 · 古体诗\n君不见黄河之水天上来\n") +
                       anthology::MissingNote() + u'\n';
  const struct {
    const char* chosen;
    const char* written;
    const char* starts;
  } cases[] = {{"a.txt", "a.txt", "我的收藏（2 首）\n\n静夜思"},
               {"b.MD", "b.MD", "# 我的收藏（2 首）\n\n## 静夜思"},
               {"c.markdown", "c.markdown", "# 我的收藏（2 首）"},
               {"d", "d.txt", "我的收藏（2 首）"},
               {"e.Pdf", "e.Pdf", "%PDF-"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    asked = w.fixture.Path(QString::fromUtf8(c.chosen));
    A().ExportItem->trigger();
    QFile f(w.fixture.Path(QString::fromUtf8(c.written)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(written.startsWith(QString::fromUtf8(c.starts))) << written.left(40).toStdString();
    if (QString::fromUtf8(c.written).endsWith(QStringLiteral(".txt"))) {
      EXPECT_EQ(written, text);
    }
  }
  // The PDF holds each poem from a page of its own, the lost one with its note.
  const QStringList pdf = reading_test::PdfLines(w.fixture.Path(QStringLiteral("e.Pdf")));
  EXPECT_TRUE(pdf.contains(QStringLiteral("静夜思"))) << pdf.join(u'|').toStdString();
  EXPECT_TRUE(pdf.join(QString()).contains(QStringLiteral("当前的诗库中没有这首作品"))) << pdf.join(u'|').toStdString();
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

TEST_F(AnthologyWindow, TheHistoryListsTheNewestFirstEachPoemOnceAndIsCleared) {
  Show(QStringLiteral("李白"), QStringLiteral("静夜思"));
  Show(QStringLiteral("杜甫"), QStringLiteral("春望"));
  Show(QStringLiteral("苏轼"), QStringLiteral("白发吟"));
  Show(QStringLiteral("李白"), QStringLiteral("静夜思"));
  EXPECT_EQ(History(), (QStringList{QStringLiteral("静夜思"), QStringLiteral("白发吟"), QStringLiteral("春望")}));
  A().HistoryItem->trigger();
  EXPECT_EQ(Rows(w.form->ListView1), (QStringList{QStringLiteral("静夜思"), QStringLiteral("白发吟"), QStringLiteral("春望")}));
  EXPECT_EQ(Greyed(), (std::vector<bool>{false, false, false}));
  // Opened from the list: shown, and the newest now.
  w.SelectPoem(QStringLiteral("春望"));
  QCoreApplication::processEvents();
  EXPECT_EQ(w.Pane(), AsLines(kSpringView));
  EXPECT_EQ(History(), (QStringList{QStringLiteral("春望"), QStringLiteral("静夜思"), QStringLiteral("白发吟")}));
  A().ClearHistoryItem->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(History().isEmpty());
  EXPECT_EQ(w.form->ListView1->Items().Count(), 0);
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

TEST_F(AnthologyWindow, ARandomPoemComesFromTheAuthorElseTheEraElseTheCollection) {
  EXPECT_EQ(A().RandomItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
  const QStringList liBai{QStringLiteral("静夜思"), QStringLiteral("同句甲"), QStringLiteral("同句乙")};
  const QStringList all = liBai + QStringList{QStringLiteral("春望"), QStringLiteral("长歌"), QStringLiteral("白发吟")};
  const struct {
    const char* name;
    std::function<void()> choose;
    QStringList scope;
    int draws;
  } cases[] = {
      {"author", [&] { w.ChooseAuthor(QStringLiteral("李白")); }, liBai, 3},
      {"era", [&] { w.ChooseEra(QStringLiteral("宋代")); }, {QStringLiteral("白发吟")}, 2},
      {"collection", [&] { w.form->FlatSpeedButton1Click(); }, all, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.choose();
    QStringList drawn;
    for (int i = 0; i < c.draws; ++i) {
      A().RandomItem->trigger();
      ASSERT_EQ(w.form->ListView1->Items().Count(), 1);
      ASSERT_TRUE(w.form->ListView1->Items().Item(0)->Selected());
      const QString title = w.form->ListView1->Items().Item(0)->Caption();
      EXPECT_TRUE(c.scope.contains(title)) << title.toStdString();
      EXPECT_TRUE(w.form->Panel4->Caption().startsWith(QStringLiteral(" 作品名称：") + title));
      EXPECT_FALSE(w.Pane().isEmpty());
      drawn << title;
    }
    // Never one of the last picks while the scope holds another.
    drawn.removeDuplicates();
    EXPECT_EQ(drawn.size(), std::min<qsizetype>(c.draws, c.scope.size())) << drawn.join(u' ').toStdString();
  }
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

TEST_F(AnthologyWindow, ASearchMarksItsKeywordF3StepsThroughItAndTheNextChoiceEndsIt) {
  EXPECT_EQ(A().NextHitItem->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(A().PreviousHitItem->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
  w.Search(2, QStringLiteral("明月"));
  w.form->FinishSearch();
  ASSERT_EQ(Rows(w.form->ListView1), QStringList{QStringLiteral("静夜思")});
  EXPECT_EQ(CellMarks(w.form->ListView1, 0, 2), (QList<toolkit::TTextMark>{{2, 2}}));
  EXPECT_TRUE(CellMarks(w.form->ListView1, 0, 0).isEmpty());
  w.SelectPoem(QStringLiteral("静夜思"));
  EXPECT_EQ(PaneMarks(), (QList<QPair<int, int>>{{2, 2}, {16, 2}}));
  EXPECT_EQ(w.form->Memo1->CurrentHighlight(), -1);
  const struct {
    QAction* item;
    int current;
    int caret;
  } steps[] = {{A().NextHitItem, 0, 4}, {A().NextHitItem, 1, 18}, {A().NextHitItem, 0, 4},
               {A().PreviousHitItem, 1, 18}, {A().PreviousHitItem, 0, 4}};
  for (const auto& s : steps) {
    s.item->trigger();
    EXPECT_EQ(w.form->Memo1->CurrentHighlight(), s.current);
    EXPECT_EQ(w.form->Memo1->textCursor().position(), s.caret);
  }
  // The next choice ends the marks: the pane's and the tables'.
  w.ChooseAuthor(QStringLiteral("李白"));
  EXPECT_TRUE(PaneMarks().isEmpty());
  w.SelectPoem(QStringLiteral("静夜思"));
  EXPECT_TRUE(PaneMarks().isEmpty());
  EXPECT_TRUE(CellMarks(w.form->ListView1, 0, 2).isEmpty());
  A().NextHitItem->trigger();
  EXPECT_TRUE(PaneMarks().isEmpty());

  // A title search marks the titles; an author search marks nothing.
  w.Search(0, QStringLiteral("同句"));
  w.form->FinishSearch();
  ASSERT_EQ(w.form->ListView1->Items().Count(), 2);
  EXPECT_EQ(CellMarks(w.form->ListView1, 1, 0), (QList<toolkit::TTextMark>{{0, 2}}));
  w.Search(1, QStringLiteral("李"));
  w.form->FinishSearch();
  ASSERT_EQ(w.form->ListView2->Items().Count(), 1);
  EXPECT_TRUE(CellMarks(w.form->ListView2, 0, 0).isEmpty());
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

// In traditional script the marks stand on the characters shown, and follow
// the switch back.
TEST_F(AnthologyWindow, MarksFollowTheShownScript) {
  w.Extras().TraditionalItem->trigger();
  ASSERT_TRUE(w.Extras().Traditional().On());
  w.Search(2, QStringLiteral("頭髮"));  // typed in traditional script: searched as 头发
  w.form->FinishSearch();
  ASSERT_EQ(Rows(w.form->ListView1), QStringList{QStringLiteral("白发吟")});
  w.SelectPoem(QStringLiteral("白发吟"));
  ASSERT_EQ(PaneMarks(), (QList<QPair<int, int>>{{15, 2}}));
  EXPECT_EQ(w.form->Memo1->toPlainText().mid(15, 2), QStringLiteral("頭髮"));
  A().NextHitItem->trigger();
  w.Extras().TraditionalItem->trigger();
  ASSERT_FALSE(w.Extras().Traditional().On());
  EXPECT_EQ(PaneMarks(), (QList<QPair<int, int>>{{15, 2}}));
  EXPECT_EQ(w.form->Memo1->CurrentHighlight(), 0);
  EXPECT_EQ(w.form->Memo1->toPlainText().mid(15, 2), QStringLiteral("头发"));
  EXPECT_TRUE(w.Errors().isEmpty()) << w.Errors().join(u'|').toStdString();
}

// Reader data that cannot be opened is told once and the window goes on
// without it; a damaged file is kept aside, told once, and replaced.
TEST(AnthologyWindowData, ReaderDataThatCannotBeKeptIsToldOnce) {
  const struct {
    const char* name;
    std::function<void(const QString& path)> spoil;
    const char* told;
    bool usable;
  } cases[] = {
      {"a folder in its place", [](const QString& path) { QDir().mkpath(path); }, "收藏和阅读记录无法保存", false},
      {"not a database", [](const QString& path) { testing_support::WriteFile(path, "这不是数据库"); }, "收藏文件“reader.db”已损坏",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reading_test::ReadingForm form;
    const QString path = form.fixture.Path(QStringLiteral("reader.db"));
    c.spoil(path);
    anthology::AnthologyExtras& a = *form.form->Anthology();
    form.ChooseAuthor(QStringLiteral("李白"));
    form.SelectPoem(QStringLiteral("静夜思"));
    QCoreApplication::processEvents();
    form.ChooseAuthor(QStringLiteral("杜甫"));
    form.SelectPoem(QStringLiteral("春望"));
    QCoreApplication::processEvents();
    QStringList told;
    for (const auto& shown : form.fixture.dialogs->shown)
      if (shown.dialogKind == platform::DialogKind::Warning) told << shown.text;
    ASSERT_EQ(told.size(), 1) << told.join(u'|').toStdString();
    EXPECT_TRUE(told[0].startsWith(QString::fromUtf8(c.told))) << told[0].toStdString();
    EXPECT_EQ(form.Pane(), AsLines(kSpringView));  // the window goes on
    EXPECT_EQ(a.KeepItem->isEnabled(), c.usable);
    EXPECT_EQ(a.KeptItem->isEnabled(), c.usable);
    EXPECT_EQ(a.UnavailableItem->isVisible(), !c.usable);
    if (!c.usable) {
      EXPECT_EQ(a.UnavailableItem->text(), told[0].section(u'\n', 0, 0));
      EXPECT_EQ(a.HistoryItem->toolTip(), a.UnavailableItem->text());
      EXPECT_TRUE(QFileInfo(path).isDir());
    } else {
      a.KeepItem->trigger();
      EXPECT_EQ(data::ReaderStore::Open(path)->Favourites().size(), 1u);
    }
    EXPECT_TRUE(a.RandomItem->isEnabled());
    EXPECT_TRUE(form.Errors().isEmpty()) << form.Errors().join(u'|').toStdString();
  }
}

// The disk fills while the program runs: a refused change is told each time
// in the reader's words and leaves the data as they were; the history's
// failure is told once and the readings after it are let go; with room again,
// changes go through.
TEST(AnthologyReaderData, AFullDiskIsToldAndTheDataStayAsTheyWere) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("small"));
  ASSERT_TRUE(QDir().mkpath(folder));
  testing_support::SmallDisk disk(folder, "size=192k");
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  anthology::ReaderData data(QDir(folder).filePath(QStringLiteral("reader.db")));
  QStringList told;
  data.Tell = [&](const QString& message) { told << message; };
  auto poem = [](int n, int length) {
    const QString head = QString(length, QChar(u'月')) + QString::number(n);
    return data::PoemRef{QStringLiteral("李白"), QStringLiteral("无题%1").arg(n), data::PoemTextHash(head),
                         QStringLiteral("古体诗"), head};
  };
  ASSERT_TRUE(data.Change([&](data::ReaderStore& store) { store.ToggleFavourite(poem(0, 5)); }));
  disk.Fill(QStringLiteral("filler"));
  int refused = -1;
  for (int n = 1; n < 100 && refused < 0; ++n)
    if (!data.Change([&](data::ReaderStore& store) { store.ToggleFavourite(poem(n, 2000)); })) refused = n;
  ASSERT_GT(refused, 0) << "the full disk took every change";
  for (int n = 200; n < 203; ++n) data.RecordReading(poem(n, 2000));
  QCoreApplication::processEvents();  // the messages follow the handlers
  ASSERT_EQ(told.size(), 2) << told.join(u'|').toStdString();
  for (const QString& message : told)
    EXPECT_TRUE(message.startsWith(QStringLiteral("收藏和阅读记录没有保存：磁盘已满。"))) << message.toStdString();
  EXPECT_FALSE(data.Store()->IsFavourite(poem(refused, 2000)));
  EXPECT_TRUE(data.Store()->IsFavourite(poem(0, 5)));
  QFile::remove(QDir(folder).filePath(QStringLiteral("filler")));
  EXPECT_TRUE(data.Change([&](data::ReaderStore& store) { store.ToggleFavourite(poem(300, 5)); }));
  EXPECT_TRUE(data.Store()->IsFavourite(poem(300, 5)));
  EXPECT_EQ(told.size(), 2);
}

}  // namespace
