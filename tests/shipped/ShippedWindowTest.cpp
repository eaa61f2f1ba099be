// The main window on the shipped data (and on the full library, when built):
// poems that share their first line with another poem of their author are all
// listed and each shows its own text; a poem with characters outside GBK is
// found by one of them and shown whole; fragments are listed under their author.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "app/MainForm.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "platform/Gbk.h"
#include "tests/shipped/Shipped.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"
#include "tools/corpus/CharacterRule.h"

using namespace shipped;

namespace {

int IndexOf(const outbar::TDCOutBarVertListView* list, const QString& caption) {
  for (int i = 0; i < list->ItemCount(); ++i)
    if (list->Item(i)->Caption() == caption) return i;
  return -1;
}

// The pane's text with the line breaks of the database.
QString Plain(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text;
}

class ShippedWindow : public ProgramData {
 protected:
  void SetUp() override {
    ProgramData::SetUp();
    // The program's directory holds the shipped settings; the databases open
    // from the current directory, the program's own.
    ASSERT_TRUE(QFile::copy(ShippedSetup(), programDir_.filePath(QStringLiteral("setup.ini"))));
    toolkit::TheApplication().SetProgramDir(programDir_.path());
    form = std::make_unique<app::TForm1>();
    form->DoCreate();
    ASSERT_TRUE(dialogs->Errors().isEmpty()) << dialogs->Errors().join(u'|').toStdString();
  }
  void TearDown() override {
    form.reset();
    toolkit::TheApplication().SetProgramDir(QString());
    ProgramData::TearDown();
  }

  // Chooses the author's era in the era list, then the author in the author bar.
  bool ShowAuthor(const QString& author) {
    const QString era = Poetry(QStringLiteral("select agename from author where authorname=?"), {author}).value(0).value(0);
    const int e = IndexOf(form->DCOutBarVertListView2, era);
    if (e < 0) return false;
    form->DCOutBarVertListView2->SetItemIndex(e);
    form->DCOutBarVertListView2ButtonClick(nullptr, nullptr);
    const int a = IndexOf(form->DCOutBarVertListView1, author);
    if (a < 0) return false;
    form->DCOutBarVertListView1->SetItemIndex(a);
    form->DCOutBarVertListView1ButtonClick(nullptr, nullptr);
    return true;
  }
  // Selects a poem row as a click does: the change handler, then the click handler.
  void SelectPoem(toolkit::TListItem* row) {
    form->ListView1->ClearSelection();
    form->ListView1->SetSelected(row);
    form->ListView1Click();
  }
  QString Pane() const { return Plain(form->Memo1->Lines().Text()); }

  testing_support::DialogScript dialogs;
  std::unique_ptr<app::TForm1> form;

 private:
  QTemporaryDir programDir_;
};

}  // namespace

TEST_F(ShippedWindow, PoemsSharingAFirstLineAreListedAndShownEachAsItself) {
  const auto shared = Poetry(QStringLiteral(
      "select authorname,head,count(*) from poetry group by authorname,head having count(*)>1 "
      "order by authorname,head limit 5"));
  ASSERT_FALSE(shared.isEmpty()) << "no author has two poems with one first line";
  for (const QStringList& s : shared) {
    const QString author = s[0], head = s[1];
    SCOPED_TRACE((author + QStringLiteral(" ") + head).toStdString());
    ASSERT_TRUE(ShowAuthor(author));
    QSet<QString> expected;
    for (const QStringList& p :
         Poetry(QStringLiteral("select title,content from poetry where authorname=? and head=?"), {author, head}))
      expected.insert(p[0] + QLatin1Char('\x1f') + p[1]);
    QSet<QString> shown;
    int rows = 0;
    for (int i = 0; i < form->ListView1->Items().Count(); ++i) {
      toolkit::TListItem* row = form->ListView1->Items().Item(i);
      if (row->SubItems().Strings(1) != head) continue;
      ++rows;
      SelectPoem(row);
      EXPECT_EQ(form->Panel4->Caption(),
                QStringLiteral(" 作品名称：") + row->Caption() + QStringLiteral("   作家：") + author);
      shown.insert(row->Caption() + QLatin1Char('\x1f') + Pane());
    }
    EXPECT_EQ(rows, s[2].toInt());
    EXPECT_EQ(shown, expected);
  }
  EXPECT_TRUE(dialogs->Errors().isEmpty()) << dialogs->Errors().join(u'|').toStdString();
}

TEST_F(ShippedWindow, ARareCharacterFindsItsPoemAndTheTextShowsWhole) {
  // The first poem whose text holds a character outside GBK, and that character.
  QString title, content;
  char32_t rare = 0;
  for (const QStringList& p : Poetry(QStringLiteral("select title,content from poetry"))) {
    for (char32_t c : p[1].toUcs4()) {
      if (c >= 0x80 && !corpus::InGbk(c)) {
        rare = c;
        break;
      }
    }
    if (rare) {
      title = p[0];
      content = p[1];
      break;
    }
  }
  ASSERT_NE(rare, 0u) << "no poem holds a character outside GBK";
  const QString keyword = QString::fromUcs4(&rare, 1);
  EXPECT_EQ(platform::FromGbk(platform::ToGbk(keyword)), keyword);
  form->ComboBox1->SetItemIndex(2);  // content search
  form->Edit1->SetText(keyword);
  form->Button1Click();
  ASSERT_FALSE(dialogs->shown.isEmpty());
  EXPECT_TRUE(dialogs->shown.last().text.startsWith(QStringLiteral("共找到"))) << dialogs->shown.last().text.toStdString();
  EXPECT_TRUE(dialogs->shown.last().text.endsWith(keyword));
  toolkit::TListItem* hit = nullptr;
  for (int i = 0; i < form->ListView1->Items().Count() && !hit; ++i)
    if (form->ListView1->Items().Item(i)->Caption() == title) hit = form->ListView1->Items().Item(i);
  ASSERT_NE(hit, nullptr);
  SelectPoem(hit);
  EXPECT_TRUE(Pane().contains(keyword));
  EXPECT_TRUE(dialogs->Errors().isEmpty()) << dialogs->Errors().join(u'|').toStdString();
}

TEST_F(ShippedWindow, FragmentsAreListedUnderTheirAuthor) {
  const auto fragments = Poetry(QStringLiteral(
      "select authorname,count(*) from poetry where formatName='残句' group by authorname order by authorname limit 1"));
  if (fragments.isEmpty()) GTEST_SKIP() << "this library holds no fragments";
  const QString author = fragments[0][0];
  ASSERT_TRUE(ShowAuthor(author));
  int listed = 0;
  for (int i = 0; i < form->ListView1->Items().Count(); ++i) {
    toolkit::TListItem* row = form->ListView1->Items().Item(i);
    if (row->SubItems().Strings(0) != QStringLiteral("残句")) continue;
    ++listed;
    EXPECT_TRUE(row->Caption().startsWith(QStringLiteral("句"))) << row->Caption().toStdString();
    form->ListView1->ClearSelection();
    form->ListView1->SetSelected(row);
    EXPECT_EQ(form->Label1->Caption(), QStringLiteral("什么是： 残句 ？"));
    EXPECT_FALSE(Pane().isEmpty());
  }
  EXPECT_EQ(listed, fragments[0][1].toInt());
}
