#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/Query.h"
#include "tests/app/Reading.h"
#include "tip/TipForm.h"
#include "toolkit/Dispatch.h"
#include "toolkit/DBCtrls.h"
#include "toolkit/StdCtrls.h"

using tip::TForm2;

namespace {

class TipFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<ReadingFixture> fixture = std::make_unique<ReadingFixture>();
  std::unique_ptr<TForm2> form;

  void CreateWithSaved(const QString& count, const QString& flag = QStringLiteral("0")) {
    fixture->WriteSetup(QStringLiteral("[TIP]\r\ntip=%1\r\ncount=%2\r\n").arg(flag, count));
    form = std::make_unique<TForm2>();
    form->DoCreate();
  }
  QString Title() const { return form->DBText1->Caption(); }
};

}  // namespace

TEST_F(TipFormTest, OpensOnTheTipAfterTheOneSavedLast) {
  CreateWithSaved(QStringLiteral("3"));
  EXPECT_EQ(Title(), QStringLiteral("T4"));
  EXPECT_EQ(form->DBMemo1->Lines().Strings(0), QStringLiteral("第4条"));
  CreateWithSaved(QStringLiteral("0x2"));
  EXPECT_EQ(Title(), QStringLiteral("T3"));
}

TEST_F(TipFormTest, PositionsOutsideTheTipsOpenOnTheFirstTip) {
  for (const QString& saved : {QStringLiteral("0"), QStringLiteral("-5"), QStringLiteral("11"), QStringLiteral("x")}) {
    CreateWithSaved(saved);
    EXPECT_EQ(Title(), QStringLiteral("T1")) << saved.toStdString();
  }
  EXPECT_TRUE(fixture->dialogs->Errors().isEmpty());
}

TEST_F(TipFormTest, PagingWrapsAtBothEnds) {
  CreateWithSaved(QStringLiteral("10"));  // the last tip, end flag already set
  EXPECT_EQ(Title(), QStringLiteral("T10"));
  form->FlatSpeedButton2Click();
  EXPECT_EQ(Title(), QStringLiteral("T1"));  // first click wraps at once
  form->FlatSpeedButton1Click();
  EXPECT_EQ(Title(), QStringLiteral("T10"));  // straight back after a wrap
  form->FlatSpeedButton2Click();
  form->FlatSpeedButton2Click();
  form->FlatSpeedButton1Click();
  EXPECT_EQ(Title(), QStringLiteral("T1"));
  form->FlatSpeedButton1Click();  // a first tip reached backwards takes two clicks
  EXPECT_EQ(Title(), QStringLiteral("T1"));
  form->FlatSpeedButton1Click();
  EXPECT_EQ(Title(), QStringLiteral("T10"));
  form->FlatSpeedButton2Click();  // after a wrap to the last tip, forward goes straight to the first
  EXPECT_EQ(Title(), QStringLiteral("T1"));
  form->ADOQuery1()->SetRecNo(9);  // a last tip reached forwards takes two clicks
  form->FlatSpeedButton2Click();
  EXPECT_EQ(Title(), QStringLiteral("T10"));
  form->FlatSpeedButton2Click();
  EXPECT_EQ(Title(), QStringLiteral("T10"));
  form->FlatSpeedButton2Click();
  EXPECT_EQ(Title(), QStringLiteral("T1"));
}

TEST_F(TipFormTest, ClosingSavesTheCheckBoxAndPositionInTheExistingSection) {
  CreateWithSaved(QStringLiteral("3"), QStringLiteral("1"));
  form->Show();
  EXPECT_TRUE(form->CheckBox1->isChecked());
  form->CheckBox1->SetChecked(false);
  form->FlatSpeedButton2Click();
  form->Button1Click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(fixture->Setup(), QStringLiteral("[TIP]\r\ntip=0\r\ncount=5\r\n"));
  // The close box saves the same way, and the window keeps its place for the next showing.
  form->Show();
  form->CheckBox1->SetChecked(true);
  form->Close();
  EXPECT_EQ(fixture->Setup(), QStringLiteral("[TIP]\r\ntip=1\r\ncount=5\r\n"));
  EXPECT_EQ(Title(), QStringLiteral("T5"));
}

TEST_F(TipFormTest, AFailedWriteKeepsTheWindowOpen) {
  CreateWithSaved(QStringLiteral("1"));
  form->Show();
  QFile::remove(fixture->SetupPath());
  QDir().mkpath(fixture->SetupPath());  // a folder where the file should be: no write can succeed
  form->Close();
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(fixture->dialogs->Errors().size(), 1);
  EXPECT_EQ(fixture->dialogs->Errors()[0], QStringLiteral("Unable to write to ") + fixture->SetupPath() + u'.');
}

TEST_F(TipFormTest, AnEmptyTipTableSavesMinusOneAndRestoresWithoutError) {
  fixture.reset();
  fixture = std::make_unique<ReadingFixture>(0);
  CreateWithSaved(QStringLiteral("-1"));
  form->FlatSpeedButton1Click();
  form->FlatSpeedButton2Click();
  EXPECT_EQ(Title(), QString());
  form->Show();
  form->Close();
  EXPECT_TRUE(fixture->Setup().contains(QStringLiteral("count=-1")));
  CreateWithSaved(QStringLiteral("-1"));
  EXPECT_TRUE(fixture->dialogs->Errors().isEmpty());
}

TEST_F(TipFormTest, WithoutTheTipFileTheWindowShowsNothingButStillCloses) {
  QFile::remove(fixture->Path(QStringLiteral("dat/db5.dat")));
  CreateWithSaved(QStringLiteral("4"));
  ASSERT_EQ(fixture->dialogs->Errors().size(), 1);
  EXPECT_EQ(fixture->dialogs->Errors()[0],
            QStringLiteral("unable to open database file (dat/db5.dat in %1)").arg(QDir::currentPath()));
  toolkit::Dispatch(&TForm2::FlatSpeedButton2Click, form.get());
  ASSERT_EQ(fixture->dialogs->Errors().size(), 2);
  EXPECT_EQ(fixture->dialogs->Errors()[1], QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset."));
  form->Show();
  form->CheckBox1->SetChecked(true);
  form->Close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(fixture->Setup(), QStringLiteral("[TIP]\r\ntip=1\r\ncount=4\r\n"));
}
