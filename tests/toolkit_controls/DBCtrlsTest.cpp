// The data-aware label and memo follow a data source's current record, and
// survive the source or each other going away.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMap>
#include <QScrollBar>
#include <memory>

#include "toolkit/DBCtrls.h"

using namespace toolkit;

namespace {

// A cursor over fixed records, moving like the tip window's cursor.
class FakeCursor : public DataSource {
 public:
  QList<QMap<QString, QString>> records;
  int current = 0;
  bool open = true;

  bool Active() const override { return open; }
  bool HasField(const QString& name) const override { return fields.contains(name, Qt::CaseInsensitive); }
  QString FieldText(const QString& name) const override {
    ++reads;
    if (current < 0 || current >= records.size()) return QString();
    for (auto it = records[current].begin(); it != records[current].end(); ++it)
      if (it.key().compare(name, Qt::CaseInsensitive) == 0) return it.value();
    return QString();
  }
  void MoveTo(int index) {
    current = index;
    RecordChanged();
  }
  void Close() {
    open = false;
    RecordChanged();
  }

  QStringList fields{QStringLiteral("loreTitle"), QStringLiteral("content")};
  mutable int reads = 0;
};

std::unique_ptr<FakeCursor> Tips() {
  auto cursor = std::make_unique<FakeCursor>();
  cursor->records.append({{QStringLiteral("loreTitle"), QStringLiteral("第一贴")},
                          {QStringLiteral("content"), QStringLiteral("甲\r\n乙")}});
  cursor->records.append({{QStringLiteral("loreTitle"), QStringLiteral("第二贴")},
                          {QStringLiteral("content"), QStringLiteral("丙")}});
  return cursor;
}

TEST(DataAware, LabelAndMemoFollowEveryMove) {
  auto cursor = Tips();
  TDBText title;
  TDBMemo text;
  title.SetDataField(QStringLiteral("loreTitle"));
  title.SetDataSource(cursor.get());
  text.SetDataSource(cursor.get());
  text.SetDataField(QStringLiteral("CONTENT"));  // field names ignore case
  EXPECT_EQ(title.Caption(), QStringLiteral("第一贴"));
  EXPECT_EQ(text.Text(), QStringLiteral("甲\r\n乙"));
  EXPECT_EQ(text.Lines().Count(), 2);
  cursor->MoveTo(1);
  EXPECT_EQ(title.Caption(), QStringLiteral("第二贴"));
  EXPECT_EQ(text.Text(), QStringLiteral("丙"));
  cursor->MoveTo(5);  // past the end: no record
  EXPECT_EQ(title.Caption(), QString());
  EXPECT_EQ(text.Text(), QString());
}

TEST(DataAware, ClosedSourceOrUnknownFieldShowsNothingWithoutReading) {
  auto cursor = Tips();
  TDBText title;
  title.SetDataSource(cursor.get());
  title.SetDataField(QStringLiteral("nosuchfield"));
  EXPECT_EQ(title.Caption(), QString());
  title.SetDataField(QStringLiteral("loreTitle"));
  EXPECT_EQ(title.Caption(), QStringLiteral("第一贴"));
  cursor->reads = 0;
  cursor->Close();
  EXPECT_EQ(title.Caption(), QString());
  EXPECT_EQ(cursor->reads, 0);
}

TEST(DataAware, LabelSizesToItsTextOnlyWithAutoSize) {
  auto cursor = Tips();
  TDBText title;
  title.resize(5, 5);
  title.SetDataField(QStringLiteral("loreTitle"));
  title.SetDataSource(cursor.get());
  EXPECT_EQ(title.size(), QSize(5, 5));
  title.SetAutoSize(true);
  EXPECT_EQ(title.size(), title.TextSize());
  const int before = title.width();
  cursor->records[1][QStringLiteral("loreTitle")] = QStringLiteral("一个更长的标题文字");
  cursor->MoveTo(1);
  EXPECT_GT(title.width(), before);
}

TEST(DataAware, SourceGoingFirstEmptiesTheControls) {
  auto cursor = Tips();
  TDBText title;
  TDBMemo text;
  title.SetDataField(QStringLiteral("loreTitle"));
  text.SetDataField(QStringLiteral("content"));
  title.SetDataSource(cursor.get());
  text.SetDataSource(cursor.get());
  EXPECT_EQ(cursor->LinkCount(), 2);
  cursor.reset();
  EXPECT_EQ(title.DataSource(), nullptr);
  EXPECT_EQ(text.DataSource(), nullptr);
  EXPECT_EQ(title.Caption(), QString());
  EXPECT_EQ(text.Text(), QString());
}

TEST(DataAware, ControlsGoingFirstOrDuringAnUpdateAreLeftOut) {
  auto cursor = Tips();
  auto title = std::make_unique<TDBText>();
  auto text = std::make_unique<TDBMemo>();
  title->SetDataField(QStringLiteral("loreTitle"));
  text->SetDataField(QStringLiteral("content"));
  title->SetDataSource(cursor.get());
  text->SetDataSource(cursor.get());
  text.reset();
  EXPECT_EQ(cursor->LinkCount(), 1);
  cursor->MoveTo(1);
  EXPECT_EQ(title->Caption(), QStringLiteral("第二贴"));

  // A link whose update frees another control that was due to update next.
  text = std::make_unique<TDBMemo>();
  text->SetDataField(QStringLiteral("content"));
  DataLink killer([&] { text.reset(); });
  killer.SetSource(cursor.get());
  auto late = std::make_unique<TDBMemo>();
  late->SetDataField(QStringLiteral("content"));
  late->SetDataSource(cursor.get());
  text->SetDataSource(cursor.get());  // joins after the killer
  cursor->MoveTo(0);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(late->Text(), QStringLiteral("甲\r\n乙"));
  EXPECT_EQ(cursor->LinkCount(), 3);  // title, killer, late
}

TEST(DataAware, MemoShowsAMovedRecordFromItsFirstLine) {
  auto cursor = Tips();
  QString longText;
  for (int i = 0; i < 60; ++i) longText += QStringLiteral("第%1句\r\n").arg(i);
  cursor->records[1][QStringLiteral("content")] = longText;
  TDBMemo text;
  text.SetScrollBars(ssVertical);
  text.resize(160, 80);
  text.SetDataField(QStringLiteral("content"));
  text.SetDataSource(cursor.get());
  text.show();
  text.Lines().Add(QStringLiteral("x"));  // scrolled elsewhere before the move
  cursor->MoveTo(1);
  QCoreApplication::processEvents();
  EXPECT_EQ(text.verticalScrollBar()->value(), 0);
  EXPECT_EQ(text.Lines()[59], QStringLiteral("第59句"));
}

}  // namespace
